// SPDX-License-Identifier: GPL-3.0-or-later
#include "calculator/ModuleFieldEditing.h"

#include <gtest/gtest.h>

#include <string>

#include "energy/ModuleFieldColumns.h"
#include "test_support/OpeningState.h"
#include "test_support/TestSupport.h"

namespace lumetra {
namespace {

using test::OpeningState;

// The opened calculator with a handle on its rows; `endEdit` answers as the end-of-edit
// handler and, like the table, stores the text when the answer says so.
struct OpenedTable : OpeningState {
    RowHandle field() const { return table.rowAt(0); }
    RowHandle placeholder() const { return calculator.state().placeholderRow; }

    bool endEdit(RowHandle row, int column, const std::string& text, bool changed = true) {
        const bool store = endCellEdit(calculator, row, column, &text, changed);
        if (store) {
            table.setCellText(row, column, text);
        }
        return store;
    }
};

TEST(OpeningRows, OneFieldAndThePlaceholder) {
    OpeningState unopened(false);
    insertOpeningRows(unopened.calculator);
    const auto& table = unopened.table;
    ASSERT_EQ(table.rowCount(), 2);
    const RowHandle field = table.rowAt(0);
    EXPECT_EQ(table.rowAt(1), unopened.calculator.state().placeholderRow);
    const char* expected[] = {"", "5", "2", "", "0", "30", "", ""};
    for (int column = 0; column < kModuleFieldColumnCount; ++column) {
        EXPECT_EQ(table.cellText(field, column), expected[column]) << "column " << column;
        EXPECT_EQ(table.cellText(table.rowAt(1), column), "") << "column " << column;
    }
}

TEST(OpeningRows, FirstSolveCompletesTheField) {
    OpenedTable opened;
    EXPECT_EQ(opened.table.cellText(opened.field(), ColumnArea), "10");
    EXPECT_FALSE(opened.table.cellText(opened.field(), ColumnPower).empty());
    EXPECT_FALSE(opened.table.cellText(opened.field(), ColumnYield).empty());
    EXPECT_EQ(opened.fields.fieldText(AnnualYield), "1 945");
    EXPECT_EQ(opened.fields.fieldText(SolarArea), "10.0");
}

TEST(RefreshTick, FormatsRowsOnceAndClearsTheRequest) {
    OpenedTable opened;
    ASSERT_TRUE(opened.calculator.state().tableRefreshPending);
    opened.calculator.refreshTick();
    EXPECT_FALSE(opened.calculator.state().tableRefreshPending);
    EXPECT_EQ(opened.table.cellText(opened.field(), ColumnWidth), "5.00 m ");
    EXPECT_EQ(opened.table.cellText(opened.field(), ColumnArea), "10.00 m\u00B2 ");
    EXPECT_EQ(opened.table.cellText(opened.field(), ColumnTilt), "30 \u00B0 ");
    EXPECT_EQ(opened.table.cellText(opened.placeholder(), ColumnWidth), "");

    // Without a new request the next tick leaves the cells alone.
    opened.table.setCellText(opened.field(), ColumnWidth, "5");
    opened.calculator.refreshTick();
    EXPECT_EQ(opened.table.cellText(opened.field(), ColumnWidth), "5");
}

TEST(EndCellEdit, UnchangedOrCancelledEditChangesNothing) {
    OpenedTable opened;
    opened.calculator.state().tableRefreshPending = false;
    const std::string text = "7";
    EXPECT_FALSE(endCellEdit(opened.calculator, opened.field(), ColumnWidth, &text, false));
    EXPECT_FALSE(endCellEdit(opened.calculator, opened.field(), ColumnWidth, nullptr, false));
    EXPECT_FALSE(endCellEdit(opened.calculator, opened.placeholder(), ColumnWidth, &text, false));
    EXPECT_EQ(opened.table.rowCount(), 2);
    EXPECT_TRUE(opened.posted.empty());
    EXPECT_FALSE(opened.calculator.state().tableRefreshPending);
    EXPECT_EQ(opened.table.cellText(opened.field(), ColumnHeight), "2");
}

TEST(EndCellEdit, TypingIntoPlaceholderMakesAFieldAndAppendsANewPlaceholder) {
    OpenedTable opened;
    const RowHandle typed = opened.placeholder();
    const double yieldBefore = opened.value(AnnualYield);

    EXPECT_TRUE(opened.endEdit(typed, ColumnWidth, "3"));

    ASSERT_EQ(opened.table.rowCount(), 3);
    EXPECT_NE(opened.placeholder(), typed);
    EXPECT_EQ(opened.table.rowAt(2), opened.placeholder());
    EXPECT_EQ(opened.table.cellText(typed, ColumnHeight), "0") << "no height yet";
    EXPECT_TRUE(opened.calculator.state().tableRefreshPending);
    ASSERT_EQ(opened.posted.size(), 1u);

    opened.runPosted();
    // A field without height has no area and adds nothing, but has its figures.
    EXPECT_EQ(opened.table.cellText(typed, ColumnPower), "0 Wp ");
    EXPECT_DOUBLE_EQ(opened.value(AnnualYield), yieldBefore);

    EXPECT_TRUE(opened.endEdit(typed, ColumnHeight, "2"));
    opened.runPosted();
    EXPECT_EQ(opened.table.cellText(typed, ColumnArea), "6");
    EXPECT_GT(opened.value(AnnualYield), yieldBefore);
    EXPECT_DOUBLE_EQ(opened.value(SolarArea), 16);

    opened.calculator.refreshTick();
    EXPECT_EQ(opened.table.cellText(typed, ColumnWidth), "3.00 m ");
    EXPECT_EQ(opened.table.cellText(opened.placeholder(), ColumnWidth), "");
}

TEST(EndCellEdit, ChosenPresetIsStoredWholeAndShownAsNumber) {
    OpenedTable opened;
    const std::string preset = kOrientationPresets[4];  // "(Süden)" + no-break space + " 0°"
    const double yieldBefore = opened.value(AnnualYield);
    EXPECT_TRUE(opened.endEdit(opened.field(), ColumnAzimuth, preset));
    EXPECT_EQ(opened.table.cellText(opened.field(), ColumnAzimuth), preset);
    opened.runPosted();
    EXPECT_DOUBLE_EQ(opened.value(AnnualYield), yieldBefore);
    opened.calculator.refreshTick();
    EXPECT_EQ(opened.table.cellText(opened.field(), ColumnAzimuth), "0 \u00B0 ");

    EXPECT_TRUE(opened.endEdit(opened.field(), ColumnAzimuth, kOrientationPresets[0]));
    opened.runPosted();
    EXPECT_LT(opened.value(AnnualYield), yieldBefore) << "a north-facing field yields less";
}

// A table edit that changes no input gives exactly the figures of the solve before it.
TEST(EndCellEdit, EditWithoutChangeOfValueKeepsEveryFigure) {
    OpenedTable opened;
    const auto valuesBefore = opened.calculator.state().values;
    std::array<std::string, kQuantityCount> textsBefore;
    for (int q = 0; q < kQuantityCount; ++q) {
        textsBefore[static_cast<std::size_t>(q)] = opened.fields.fieldText(QuantityId(q));
    }
    EXPECT_TRUE(opened.endEdit(opened.field(), ColumnWidth, "5"));
    opened.runPosted();
    EXPECT_EQ(opened.calculator.state().values, valuesBefore);
    for (int q = 0; q < kQuantityCount; ++q) {
        EXPECT_EQ(opened.fields.fieldText(QuantityId(q)), textsBefore[static_cast<std::size_t>(q)])
            << quantityIdentifier(QuantityId(q));
    }
}

TEST(EndCellEdit, ClearingOneOfSeveralInputsKeepsRowAndSolvesNothing) {
    OpenedTable opened;
    EXPECT_TRUE(opened.endEdit(opened.field(), ColumnHeight, ""));
    EXPECT_EQ(opened.table.cellText(opened.field(), ColumnHeight), "");
    EXPECT_EQ(opened.table.rowCount(), 2);
    EXPECT_TRUE(opened.posted.empty());
}

struct ClearCase {
    const char* name;
    int keptColumn;  // the one input left in the row before it is cleared
};

class ClearingLastInput : public ::testing::TestWithParam<ClearCase> {};

TEST_P(ClearingLastInput, RemovesRowMovesFocusAndSolves) {
    OpenedTable opened;
    const RowHandle field = opened.field();
    for (int column = kFirstInputColumn; column <= kLastInputColumn; ++column) {
        if (column != GetParam().keptColumn) {
            opened.table.setCellText(field, column, "");
        }
    }
    opened.table.setFocusedCell(field, GetParam().keptColumn);

    EXPECT_FALSE(opened.endEdit(field, GetParam().keptColumn, ""));

    ASSERT_EQ(opened.table.rowCount(), 1);
    EXPECT_EQ(opened.table.rowAt(0), opened.placeholder());
    EXPECT_EQ(opened.table.rowIndex(field), -1);
    EXPECT_EQ(opened.table.focusedRow(), opened.placeholder());
    EXPECT_EQ(opened.table.focusedColumn(), GetParam().keptColumn);
    ASSERT_EQ(opened.posted.size(), 1u);
    opened.runPosted();
    EXPECT_EQ(opened.value(AnnualYield), 0);
    EXPECT_EQ(opened.value(SolarArea), 0);
    EXPECT_EQ(opened.fields.fieldText(AnnualYield), "0");
}

INSTANTIATE_TEST_SUITE_P(Columns, ClearingLastInput,
                         ::testing::Values(ClearCase{"Width", ColumnWidth},
                                           ClearCase{"Area", ColumnArea},
                                           ClearCase{"Tilt", ColumnTilt}),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(EndCellEdit, ClearingMiddleFieldFocusesTheRowBelow) {
    OpenedTable opened;
    const RowHandle first = opened.field();
    opened.endEdit(opened.placeholder(), ColumnArea, "4");
    const RowHandle second = opened.table.rowAt(1);
    opened.endEdit(opened.placeholder(), ColumnArea, "9");
    const RowHandle third = opened.table.rowAt(2);
    opened.runPosted();

    EXPECT_FALSE(opened.endEdit(second, ColumnArea, ""));
    EXPECT_EQ(opened.table.focusedRow(), third);
    EXPECT_EQ(opened.table.rowAt(0), first);
    EXPECT_EQ(opened.table.rowAt(1), third);
    EXPECT_EQ(opened.table.rowCount(), 3);
}

TEST(EndCellEdit, ClearingInPlaceholderDeletesNothing) {
    OpenedTable opened;
    const RowHandle placeholder = opened.placeholder();
    opened.table.setFocusedCell(placeholder, ColumnWidth);
    EXPECT_FALSE(opened.endEdit(placeholder, ColumnWidth, ""));
    EXPECT_FALSE(endCellEdit(opened.calculator, placeholder, ColumnTilt, nullptr, true));
    EXPECT_EQ(opened.table.rowCount(), 2);
    EXPECT_EQ(opened.placeholder(), placeholder);
    EXPECT_EQ(opened.table.rowAt(1), placeholder);
    EXPECT_EQ(opened.table.focusedRow(), placeholder) << "the row stays, so does the focus";
}

TEST(DeleteCommand, OfferedForEveryRowButThePlaceholder) {
    OpenedTable opened;
    EXPECT_TRUE(canDeleteRow(opened.calculator, opened.field()));
    EXPECT_TRUE(canDeleteRow(opened.calculator, kNoRow));
    EXPECT_FALSE(canDeleteRow(opened.calculator, opened.placeholder()));
}

struct DeleteCase {
    const char* name;
    bool onField;  // the menu row is the field row
    bool onPlaceholder;
    int rowsAfter;
    bool yieldGone;
};

class DeleteRowCommand : public ::testing::TestWithParam<DeleteCase> {};

TEST_P(DeleteRowCommand, DeletesMenuRowAndSolves) {
    const DeleteCase& c = GetParam();
    OpenedTable opened;
    const RowHandle menuRow =
        c.onField ? opened.field() : (c.onPlaceholder ? opened.placeholder() : kNoRow);
    const RowHandle placeholder = opened.placeholder();

    deleteRowCommand(opened.calculator, menuRow);

    EXPECT_EQ(opened.table.rowCount(), c.rowsAfter);
    EXPECT_EQ(opened.table.rowAt(c.rowsAfter - 1), placeholder);
    ASSERT_EQ(opened.posted.size(), 1u);
    opened.runPosted();
    EXPECT_EQ(opened.value(AnnualYield) == 0, c.yieldGone);
}

INSTANTIATE_TEST_SUITE_P(MenuRows, DeleteRowCommand,
                         ::testing::Values(DeleteCase{"FieldRow", true, false, 1, true},
                                           DeleteCase{"NoRowUnderCursor", false, false, 2, false},
                                           DeleteCase{"PlaceholderIsNeverDeleted", false, true, 2,
                                                      false}),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

}  // namespace
}  // namespace lumetra
