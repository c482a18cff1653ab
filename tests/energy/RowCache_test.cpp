// SPDX-License-Identifier: GPL-3.0-or-later
// The yield relation and the row formatting keep what they read between runs; whatever the
// edits in between, they must give what a walk over every row gives, while an edit reads and
// writes only its own row.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "energy/ModuleFieldColumns.h"
#include "energy/ModuleFieldRules.h"
#include "energy/RecordingTable.h"
#include "energy/YieldBalance.h"
#include "model/MemoryModuleFieldTable.h"
#include "test_support/RowChangeChecks.h"

namespace lumetra {
namespace {

using test::RecordingTable;

TEST(RowChangeTracking, InMemoryTable) {
    MemoryModuleFieldTable table;
    test::expectChangeTracking(table);
}

TEST(RowChangeTracking, InMemoryTableKeepsLinesWhileRowsAreAddedAtTheEnd) {
    MemoryModuleFieldTable table;
    const RowHandle first = table.insertRow(RowPosition::Last);
    EXPECT_EQ(table.rowIndex(first), 0);
    const RowHandle second = table.insertRow(RowPosition::Last);
    const RowHandle third = table.insertRow(RowPosition::After, second);
    EXPECT_EQ(table.rowIndex(third), 2);
    EXPECT_EQ(table.rowAt(1), second);
    const RowHandle top = table.insertRow(RowPosition::First);
    EXPECT_EQ(table.rowIndex(third), 3);
    EXPECT_EQ(table.rowAt(0), top);
    table.deleteRow(second);
    EXPECT_EQ(table.rowIndex(third), 2);
    EXPECT_EQ(table.rowIndex(second), -1);
}

class KeptRunsMatchFullWalks : public ::testing::TestWithParam<unsigned> {};

TEST_P(KeptRunsMatchFullWalks, InMemoryTable) {
    MemoryModuleFieldTable table;
    test::expectKeptRunsMatchFullWalks(
        {table, [&](RowHandle row, int column) { return table.cellBackground(row, column); }},
        GetParam(), 600);
}

INSTANTIATE_TEST_SUITE_P(Seeds, KeptRunsMatchFullWalks, ::testing::Range(1u, 13u));

// The site of the worked example, a table of `rows` fields and the placeholder, solved and
// formatted once, so that nothing is left to do.
struct SettledTable {
    CalculatorState state;
    RecordingTable table;

    explicit SettledTable(int rows) {
        state.values[Latitude] = 50.5;
        state.values[AnnualIrradiation] = 1100;
        state.values[PowerPerArea] = 150;
        state.values[Efficiency] = 15;
        state.values[SystemLosses] = 10;
        for (int i = 0; i < rows; ++i) {
            table.addRow(std::to_string(2 + i % 5), "1,5", "", i % 2 == 0 ? "0" : "-90", "30");
        }
        state.placeholderRow = table.inner.insertRow(RowPosition::Last);
        for (int pass = 0; pass < 3; ++pass) {
            evaluateAnnualYield(state, table, AnnualYield);
            formatChangedModuleFieldRows(table, state.placeholderRow, state.formattedRows);
        }
        table.writes.clear();
    }

    std::set<RowHandle> rowsWritten() const {
        std::set<RowHandle> rows;
        for (const auto& [row, column] : table.writes) {
            rows.insert(row);
        }
        return rows;
    }
};

TEST(KeptRuns, SettledTableIsNeitherRewrittenByTheYieldNorByTheFormatting) {
    SettledTable settled(50);
    const double yield = settled.state.values[AnnualYield];
    evaluateAnnualYield(settled.state, settled.table, AnnualYield);
    formatChangedModuleFieldRows(settled.table, settled.state.placeholderRow,
                                 settled.state.formattedRows);
    EXPECT_TRUE(settled.table.writes.empty());
    EXPECT_EQ(settled.state.values[AnnualYield], yield);
    EXPECT_TRUE(settled.state.tableRefreshPending);
}

struct TouchCase {
    const char* name;
    int column;
    const char* text;
};

class KeptRunsTouchOnlyTheEditedRow : public ::testing::TestWithParam<TouchCase> {};

TEST_P(KeptRunsTouchOnlyTheEditedRow, ThroughTheYieldAndTheFormatting) {
    SettledTable settled(50);
    const RowHandle edited = settled.table.inner.rowAt(20);
    settled.table.setCellText(edited, GetParam().column, GetParam().text);
    const double before = settled.state.values[AnnualYield];
    for (int pass = 0; pass < 2; ++pass) {
        evaluateAnnualYield(settled.state, settled.table, AnnualYield);
        formatChangedModuleFieldRows(settled.table, settled.state.placeholderRow,
                                     settled.state.formattedRows);
    }
    EXPECT_EQ(settled.rowsWritten(), std::set<RowHandle>{edited});
    EXPECT_NE(settled.state.values[AnnualYield], before);
}

INSTANTIATE_TEST_SUITE_P(Cases, KeptRunsTouchOnlyTheEditedRow,
                         ::testing::Values(TouchCase{"Width", ColumnWidth, "9"},
                                           TouchCase{"Height", ColumnHeight, "2,5"},
                                           TouchCase{"Orientation", ColumnAzimuth, "90"},
                                           TouchCase{"TiltOutOfRange", ColumnTilt, "95"}),
                         [](const auto& test) { return std::string(test.param.name); });

TEST(KeptRuns, SiteChangeRewritesEveryRow) {
    SettledTable settled(10);
    settled.state.values[PowerPerArea] = 160;
    evaluateAnnualYield(settled.state, settled.table, AnnualYield);
    EXPECT_EQ(settled.rowsWritten().size(), 10u);
    EXPECT_EQ(settled.table.cellText(settled.table.inner.rowAt(0), ColumnPower), "480 Wp ");
}

TEST(KeptRuns, RowThatBecomesOrStopsBeingThePlaceholderIsCountedAsItIsNow) {
    SettledTable settled(4);
    const RowHandle field = settled.table.inner.rowAt(1);
    const RowHandle former = settled.state.placeholderRow;
    const double allFour = settled.state.figures.totalModuleArea;

    // The placeholder handle is moved without a cell changing (as a file load may leave it).
    settled.state.placeholderRow = field;
    evaluateAnnualYield(settled.state, settled.table, AnnualYield);
    CalculatorState fresh = settled.state;
    fresh.yieldRows = {};
    evaluateAnnualYield(fresh, settled.table, AnnualYield);
    EXPECT_EQ(settled.state.figures.totalModuleArea, fresh.figures.totalModuleArea);
    EXPECT_EQ(settled.state.values[AnnualYield], fresh.values[AnnualYield]);
    EXPECT_LT(settled.state.figures.totalModuleArea, allFour);

    settled.state.placeholderRow = former;
    evaluateAnnualYield(settled.state, settled.table, AnnualYield);
    EXPECT_EQ(settled.state.figures.totalModuleArea, allFour);
}

TEST(KeptRuns, AnotherTableIsReadWhole) {
    SettledTable first(3);
    SettledTable second(5);
    CalculatorState state = first.state;  // figures kept of the first table
    state.placeholderRow = second.state.placeholderRow;
    evaluateAnnualYield(state, second.table, AnnualYield);
    EXPECT_EQ(state.figures.totalModuleArea, second.state.figures.totalModuleArea);
    EXPECT_EQ(state.values[AnnualYield], second.state.values[AnnualYield]);
}

TEST(KeptRuns, RowsMovedToTheOtherParityGetTheirOutOfRangeColourAgain) {
    SettledTable settled(6);
    const RowHandle steep = settled.table.inner.rowAt(3);
    settled.table.setCellText(steep, ColumnTilt, "95");
    formatChangedModuleFieldRows(settled.table, settled.state.placeholderRow,
                                 settled.state.formattedRows);
    const auto odd = settled.table.inner.cellBackground(steep, ColumnTilt);
    ASSERT_TRUE(odd.has_value());

    settled.table.deleteRow(settled.table.inner.rowAt(0));
    formatChangedModuleFieldRows(settled.table, settled.state.placeholderRow,
                                 settled.state.formattedRows);
    const auto even = settled.table.inner.cellBackground(steep, ColumnTilt);
    ASSERT_TRUE(even.has_value());
    EXPECT_NE(*even, *odd);

    MemoryModuleFieldTable copy;  // what a walk over every row colours
    for (RowHandle row = settled.table.firstRow(); row != kNoRow;
         row = settled.table.nextRow(row)) {
        const RowHandle added = copy.insertRow(RowPosition::Last);
        for (int column = ColumnWidth; column <= ColumnTilt; ++column) {
            copy.setCellText(added, column, settled.table.cellText(row, column));
        }
    }
    formatModuleFieldRows(copy, kNoRow);
    EXPECT_EQ(copy.cellBackground(copy.rowAt(2), ColumnTilt), even);
}

}  // namespace
}  // namespace lumetra
