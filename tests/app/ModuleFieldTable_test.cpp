// SPDX-License-Identifier: GPL-3.0-or-later
// The module-field table inside the main dialog, driven by real key presses and mouse clicks on
// the control: cell edits that add rows and re-solve the yield, clearing cells and rows, the
// preset lists, the row menu, the refresh tick's display form and colours, and the port over
// the control.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <vector>

#include "MainDialogSupport.h"
#include "app/HelpPictures.h"
#include "app/TreeListTable.h"
#include "calculator/ModuleFieldEditing.h"
#include "energy/ModuleFieldColumns.h"
#include "energy/ModuleFieldRules.h"
#include "test_support/RowChangeChecks.h"
#include "widgets/treelist/CTreeListCtrl.h"

namespace lumetra::test {
namespace {

// What a context menu offered and whether it was still open after the click on its entry.
struct MenuVisit {
    bool opened = false;
    QStringList entries;
    bool enabled = false;
    bool stayedOpen = false;
};

QLineEdit* openEditorLine(CTreeListCtrl& table) {
    QWidget* editor = table.GetEditControl();
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        return combo->lineEdit();
    }
    return qobject_cast<QLineEdit*>(editor);
}

class TableInDialog : public ::testing::Test {
  protected:
    void SetUp() override {
        // Start from the display form of the opening row, so that later ticks change nothing
        // on their own.
        ASSERT_TRUE(shown.waitFor([&] { return text(firstRow(), ColumnWidth) == "5.00 m "; }));
    }

    CTreeListCtrl& table() { return *shown.dialog().tableControl(); }
    QWidget* viewport() { return table().viewport(); }
    HTREEITEM placeholder() { return shown.dialog().calculator().state().placeholderRow; }
    HTREEITEM firstRow() { return table().GetNextItem(TVI_ROOT, TLGN_NEXTINLIST); }
    HTREEITEM rowAt(int index) {
        HTREEITEM row = firstRow();
        for (int i = 0; i < index && row != 0; ++i) {
            row = table().GetNextItem(row, TVGN_NEXT);
        }
        return row;
    }
    double yield() { return shown.dialog().calculator().state().values[AnnualYield]; }
    // The annual yield as the rows' yield cells give it: their sum less the system losses.
    double yieldOfRows() {
        double sum = 0;
        for (HTREEITEM row = firstRow(); row != 0; row = table().GetNextItem(row, TVGN_NEXT)) {
            sum += readCellValue(text(row, ColumnYield));
        }
        const double losses = shown.dialog().calculator().state().values[SystemLosses];
        return (100 - losses) * sum * 0.01;
    }
    std::string text(HTREEITEM row, int column) {
        return table().GetItemText(row, column).toStdString();
    }

    // Every row's texts of the columns 1..7, in display order.
    std::vector<QStringList> snapshot() {
        std::vector<QStringList> rows;
        for (HTREEITEM row = firstRow(); row != 0; row = table().GetNextItem(row, TVGN_NEXT)) {
            QStringList cells;
            for (int column = ColumnWidth; column <= ColumnYield; ++column) {
                cells << table().GetItemText(row, column);
            }
            rows.push_back(cells);
        }
        return rows;
    }

    QPoint cellCentre(HTREEITEM row, int column) {
        return viewport()->mapFrom(&table(), table().GetCellRect(row, column).center());
    }

    void clickCell(HTREEITEM row, int column) {
        QTest::mouseClick(viewport(), Qt::LeftButton, {}, cellCentre(row, column));
        ASSERT_TRUE(table().hasFocus()) << "the click did not focus the table";
        ASSERT_EQ(table().GetFocusItem(), row);
        ASSERT_EQ(table().GetFocusColumn(), column);
    }

    // The line edit that receives the keys of the open cell editor.
    QLineEdit* editorLine() { return openEditorLine(table()); }

    // Clicks the cell and types into it as a user does: the first key opens the editor, the
    // rest goes into it. Ends with `endKey` and lets the posted solve run.
    void typeIntoCell(HTREEITEM row, int column, const QString& keys,
                      Qt::Key endKey = Qt::Key_Return) {
        clickCell(row, column);
        QTest::keyClicks(&table(), keys.left(1));
        QLineEdit* line = editorLine();
        ASSERT_NE(line, nullptr) << "typing did not open the cell editor";
        QTest::keyClicks(line, keys.mid(1));
        QTest::keyClick(line, endKey);
        ASSERT_EQ(table().GetEditControl(), nullptr) << "the editor is still open";
        QApplication::processEvents();
    }

    // Clicks the cell, opens its editor with F2, deletes the whole text and presses Return.
    void clearCell(HTREEITEM row, int column) {
        clickCell(row, column);
        QTest::keyClick(&table(), Qt::Key_F2);
        QLineEdit* line = editorLine();
        ASSERT_NE(line, nullptr) << "F2 did not open the cell editor";
        QTest::keyClick(line, Qt::Key_Backspace);
        ASSERT_TRUE(line->text().isEmpty());
        QTest::keyClick(line, Qt::Key_Return);
        QApplication::processEvents();
    }

    // Right-clicks the viewport at `at`, then clicks the menu's single entry (when `choose`)
    // and closes the menu with Escape if it is still open.
    MenuVisit rightClickMenu(const QPoint& at, bool choose) {
        MenuVisit visit;
        QTimer::singleShot(0, &shown.dialog(), [&visit, choose] {
            QPointer<QMenu> menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (menu == nullptr) {
                return;
            }
            visit.opened = true;
            for (const QAction* action : menu->actions()) {
                visit.entries << action->text();
            }
            QAction* entry = menu->actions().value(0);
            visit.enabled = entry != nullptr && entry->isEnabled();
            if (choose && entry != nullptr) {
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(entry).center());
            }
            visit.stayedOpen = menu != nullptr && menu->isVisible();
            if (visit.stayedOpen) {
                QTest::keyClick(menu, Qt::Key_Escape);
            }
        });
        QTest::mouseClick(viewport(), Qt::RightButton, {}, at);
        QApplication::processEvents();  // the posted yield solve
        return visit;
    }

    // Runs the real refresh timer until `condition` holds.
    template <typename Condition>
    bool afterTicks(Condition condition) {
        return shown.waitFor(condition);
    }

    ShownMainDialog shown;
};

// ---- typing into cells ------------------------------------------------------------------------

TEST_F(TableInDialog, TypingAWidthIntoThePlaceholderMakesAFieldAndANewPlaceholder) {
    const HTREEITEM oldPlaceholder = placeholder();
    ASSERT_EQ(table().GetRowIndex(oldPlaceholder), 1);
    typeIntoCell(oldPlaceholder, ColumnWidth, QStringLiteral("3"));

    EXPECT_EQ(table().GetCount(), 3);
    EXPECT_NE(placeholder(), oldPlaceholder);
    EXPECT_EQ(table().GetRowIndex(placeholder()), 2) << "the new placeholder comes last";
    EXPECT_EQ(snapshot().back(), QStringList(7, QString())) << "the placeholder is empty";
    EXPECT_EQ(text(oldPlaceholder, ColumnWidth), "3") << "stored as typed";
    EXPECT_EQ(text(oldPlaceholder, ColumnHeight), "0") << "completed from the empty area";
    // The posted solve has run: relation 4 gave the new field its power and yield.
    EXPECT_FALSE(text(oldPlaceholder, ColumnPower).empty());
    EXPECT_FALSE(text(oldPlaceholder, ColumnYield).empty());

    ASSERT_TRUE(afterTicks([&] { return text(oldPlaceholder, ColumnWidth) == "3.00 m "; }))
        << "display form after the tick: " << text(oldPlaceholder, ColumnWidth);
    EXPECT_EQ(text(oldPlaceholder, ColumnHeight), "0.00 m ");
}

TEST_F(TableInDialog, TypingTheHeightOfANewFieldAddsItsYield) {
    const double before = yield();
    const HTREEITEM field = placeholder();
    typeIntoCell(field, ColumnWidth, QStringLiteral("3"));
    EXPECT_DOUBLE_EQ(yield(), before) << "a field without height has no area";
    typeIntoCell(field, ColumnHeight, QStringLiteral("2"));
    EXPECT_EQ(table().GetCount(), 3) << "a field row adds no further placeholder";
    EXPECT_EQ(text(field, ColumnArea), "6");
    EXPECT_GT(yield(), before);
    // Each row's yield cell is printed to 0.1 kWh.
    EXPECT_NEAR(yield(), yieldOfRows(), 0.1);
}

struct PresetCase {
    const char* name;
    int column;
    int listIndex;
    double value;
    const char* display;
};

class TablePresets : public TableInDialog, public ::testing::WithParamInterface<PresetCase> {};

TEST_P(TablePresets, PickingAPresetStoresItsTextAndShowsItsNumberAfterTheTick) {
    const PresetCase& c = GetParam();
    const HTREEITEM row = firstRow();
    const double before = yield();
    clickCell(row, c.column);
    QTest::keyClick(&table(), Qt::Key_F2);
    auto* combo = qobject_cast<QComboBox*>(table().GetEditControl());
    ASSERT_NE(combo, nullptr) << "the column has no drop-down editor";
    const char* const* presets =
        c.column == ColumnAzimuth ? kOrientationPresets.data() : kTiltPresets.data();
    const QString preset = QString::fromUtf8(presets[c.listIndex]);
    ASSERT_EQ(combo->itemText(c.listIndex), preset);

    // Open the list with the keyboard and click the entry, as a user does.
    QTest::keyClick(combo->lineEdit(), Qt::Key_Down, Qt::AltModifier);
    QAbstractItemView* list = combo->view();
    ASSERT_TRUE(shown.waitFor([&] { return list->isVisible(); })) << "the list did not open";
    const QRect entry = list->visualRect(combo->model()->index(c.listIndex, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, entry.center());
    ASSERT_TRUE(shown.waitFor([&] { return !list->isVisible(); })) << "the list stayed open";
    ASSERT_EQ(table().GetEditControl(), combo) << "picking ended the edit";
    QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
    ASSERT_EQ(table().GetEditControl(), nullptr);

    EXPECT_EQ(table().GetItemText(row, c.column), preset) << "the whole preset text is stored";
    EXPECT_EQ(readCellValue(text(row, c.column)), c.value);
    QApplication::processEvents();  // the posted yield solve
    if (c.value == 0 && c.column == ColumnAzimuth) {
        EXPECT_DOUBLE_EQ(yield(), before) << "south was already set";
    } else {
        EXPECT_NE(yield(), before) << "the yield was not solved again";
    }
    ASSERT_TRUE(afterTicks([&] { return text(row, c.column) == c.display; }))
        << "after the tick: " << text(row, c.column);
}

INSTANTIATE_TEST_SUITE_P(Cases, TablePresets,
                         ::testing::Values(PresetCase{"South", ColumnAzimuth, 4, 0, "0 ° "},
                                           PresetCase{"West", ColumnAzimuth, 2, 90, "90 ° "},
                                           PresetCase{"NorthEast", ColumnAzimuth, 7, -135,
                                                      "-135 ° "},
                                           PresetCase{"Wall", ColumnTilt, 2, 90, "90 ° "},
                                           PresetCase{"FlatRoof", ColumnTilt, 0, 0, "0 ° "}),
                         [](const auto& test) { return std::string(test.param.name); });

// ---- edits that change nothing ----------------------------------------------------------------

struct NoChangeCase {
    const char* name;
    // Keys pressed on the focused cell; the last one ends the edit.
    void (*press)(CTreeListCtrl& table);
};

class TableNoChange : public TableInDialog, public ::testing::WithParamInterface<NoChangeCase> {};

TEST_P(TableNoChange, LeavesEveryRowAndTheYieldAlone) {
    const std::vector<QStringList> before = snapshot();
    const double yieldBefore = yield();
    const HTREEITEM placeholderBefore = placeholder();
    for (const int column : {ColumnWidth, ColumnAzimuth}) {
        clickCell(firstRow(), column);
        GetParam().press(table());
        EXPECT_EQ(table().GetEditControl(), nullptr) << "column " << column;
        QApplication::processEvents();
    }
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(yield(), yieldBefore);
    EXPECT_EQ(placeholder(), placeholderBefore);
    EXPECT_TRUE(shown.dialog().isVisible()) << "Escape must end only the edit";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TableNoChange,
    ::testing::Values(NoChangeCase{"EscapeAfterTyping",
                                   [](CTreeListCtrl& table) {
                                       QTest::keyClick(&table, Qt::Key_9);
                                       ASSERT_NE(openEditorLine(table), nullptr);
                                       QTest::keyClick(openEditorLine(table), Qt::Key_Escape);
                                   }},
                      NoChangeCase{"ReturnWithoutAChange",
                                   [](CTreeListCtrl& table) {
                                       QTest::keyClick(&table, Qt::Key_Return);
                                       ASSERT_NE(openEditorLine(table), nullptr);
                                       QTest::keyClick(openEditorLine(table), Qt::Key_Return);
                                   }},
                      NoChangeCase{"F2ThenEscape",
                                   [](CTreeListCtrl& table) {
                                       QTest::keyClick(&table, Qt::Key_F2);
                                       ASSERT_NE(openEditorLine(table), nullptr);
                                       QTest::keyClick(openEditorLine(table), Qt::Key_Escape);
                                   }}),
    [](const auto& test) { return std::string(test.param.name); });

// ---- clearing cells -------------------------------------------------------------------------

struct ClearCase {
    const char* name;
    int column;
};

class TableClearOneCell : public TableInDialog, public ::testing::WithParamInterface<ClearCase> {};

TEST_P(TableClearOneCell, ClearsOnlyThatCellAndSolvesNothing) {
    const int column = GetParam().column;
    std::vector<QStringList> expected = snapshot();
    expected[0][column - 1].clear();
    const double before = yield();
    clearCell(firstRow(), column);
    EXPECT_EQ(snapshot(), expected);
    EXPECT_EQ(yield(), before) << "clearing one of several inputs solves nothing";
    EXPECT_EQ(table().GetFocusItem(), firstRow()) << "the focus stays in the row";
}

INSTANTIATE_TEST_SUITE_P(Cases, TableClearOneCell,
                         ::testing::Values(ClearCase{"Width", ColumnWidth},
                                           ClearCase{"Height", ColumnHeight},
                                           ClearCase{"Area", ColumnArea},
                                           ClearCase{"Orientation", ColumnAzimuth},
                                           ClearCase{"Tilt", ColumnTilt}),
                         [](const auto& test) { return std::string(test.param.name); });

TEST_F(TableInDialog, ClearingTheLastInputOfAFieldDeletesItAndFocusesTheRowBelow) {
    // Three fields above the placeholder; the middle one has only an orientation.
    const HTREEITEM second = placeholder();
    typeIntoCell(second, ColumnAzimuth, QStringLiteral("45"));
    const HTREEITEM third = placeholder();
    typeIntoCell(third, ColumnWidth, QStringLiteral("4"));
    typeIntoCell(third, ColumnHeight, QStringLiteral("1"));
    ASSERT_EQ(table().GetCount(), 4);
    const double withThree = yield();

    clearCell(second, ColumnAzimuth);
    EXPECT_EQ(table().GetCount(), 3);
    EXPECT_EQ(table().GetRowIndex(second), -1) << "the row is deleted";
    EXPECT_EQ(table().GetFocusItem(), third) << "the focus moves to the row below";
    EXPECT_EQ(table().GetFocusColumn(), ColumnAzimuth) << "in the same column";
    EXPECT_DOUBLE_EQ(yield(), withThree) << "the deleted row had no area";

    // The last field's inputs one by one: only the last clear removes the row and re-solves.
    for (const int column : {ColumnHeight, ColumnArea, ColumnAzimuth, ColumnWidth}) {
        ASSERT_EQ(table().GetCount(), 3) << "before clearing column " << column;
        clearCell(third, column);
    }
    EXPECT_EQ(table().GetCount(), 2);
    EXPECT_EQ(table().GetFocusItem(), placeholder()) << "the row below was the placeholder";
    EXPECT_LT(yield(), withThree) << "the yield was solved without the 4 m² field";
    EXPECT_GT(yield(), 0);
}

TEST_F(TableInDialog, ClearingTheOnlyInputOfTheLastFieldBeforeThePlaceholderFocusesIt) {
    for (const int column : {ColumnWidth, ColumnHeight, ColumnArea, ColumnAzimuth, ColumnTilt}) {
        clearCell(firstRow(), column);
    }
    EXPECT_EQ(table().GetCount(), 1);
    EXPECT_EQ(firstRow(), placeholder());
    EXPECT_EQ(table().GetFocusItem(), placeholder());
    EXPECT_EQ(yield(), 0) << "no field left";
}

TEST_F(TableInDialog, ThePlaceholderIsNeverDeleted) {
    const HTREEITEM row = placeholder();
    const double before = yield();
    for (const int column : {ColumnWidth, ColumnHeight, ColumnArea, ColumnAzimuth, ColumnTilt}) {
        // Type a character and take it back, so that the edit ends changed and empty.
        clickCell(row, column);
        QTest::keyClick(&table(), Qt::Key_7);
        QLineEdit* line = editorLine();
        ASSERT_NE(line, nullptr) << "column " << column;
        QTest::keyClick(line, Qt::Key_Backspace);
        QTest::keyClick(line, Qt::Key_Return);
        QApplication::processEvents();
        EXPECT_EQ(placeholder(), row) << "column " << column;
        EXPECT_EQ(table().GetCount(), 2) << "column " << column;
        EXPECT_EQ(table().GetRowIndex(row), 1) << "column " << column;
    }
    EXPECT_EQ(snapshot().back(), QStringList(7, QString()));
    EXPECT_EQ(yield(), before);
}

// ---- the row menu ---------------------------------------------------------------------------

TEST_F(TableInDialog, RowMenuIsGreyedOnThePlaceholderAndDeletesNothingThere) {
    const std::vector<QStringList> before = snapshot();
    const MenuVisit visit = rightClickMenu(cellCentre(placeholder(), ColumnArea), true);
    ASSERT_TRUE(visit.opened) << "no menu opened";
    EXPECT_EQ(visit.entries, QStringList{QStringLiteral("Zeile löschen")});
    EXPECT_FALSE(visit.enabled);
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(table().GetCount(), 2);
}

TEST_F(TableInDialog, RowMenuDeletesAFieldRowAndSolvesAgain) {
    const HTREEITEM second = placeholder();
    typeIntoCell(second, ColumnWidth, QStringLiteral("3"));
    typeIntoCell(second, ColumnHeight, QStringLiteral("3"));
    const double withBoth = yield();
    const QStringList secondTexts = snapshot()[1];

    const MenuVisit visit = rightClickMenu(cellCentre(firstRow(), ColumnTilt), true);
    ASSERT_TRUE(visit.opened);
    EXPECT_TRUE(visit.enabled);
    EXPECT_FALSE(visit.stayedOpen);
    EXPECT_EQ(table().GetCount(), 2);
    EXPECT_EQ(firstRow(), second);
    EXPECT_EQ(snapshot()[0], secondTexts) << "the other field is untouched";
    EXPECT_LT(yield(), withBoth);
    EXPECT_NEAR(yield(), yieldOfRows(), 0.05) << "solved from the remaining field only";
}

TEST_F(TableInDialog, RowMenuBelowTheLastRowIsOfferedButChangesNoRow) {
    const std::vector<QStringList> before = snapshot();
    const double yieldBefore = yield();
    const QRect last = table().GetCellRect(placeholder(), ColumnWidth);
    const QPoint below =
        viewport()->mapFrom(&table(), last.center() + QPoint(0, 3 * last.height()));
    ASSERT_EQ(table().HitTest(viewport()->mapTo(&table(), below)), 0u) << "not below the rows";
    const MenuVisit visit = rightClickMenu(below, true);
    ASSERT_TRUE(visit.opened);
    EXPECT_TRUE(visit.enabled);
    EXPECT_EQ(snapshot(), before);
    EXPECT_DOUBLE_EQ(yield(), yieldBefore);
}

TEST_F(TableInDialog, DeletingEveryFieldLeavesThePlaceholderAndNoYield) {
    typeIntoCell(placeholder(), ColumnArea, QStringLiteral("20"));
    ASSERT_EQ(table().GetCount(), 3);
    ASSERT_GT(yield(), 0);
    while (firstRow() != placeholder()) {
        const MenuVisit visit = rightClickMenu(cellCentre(firstRow(), ColumnWidth), true);
        ASSERT_TRUE(visit.opened && visit.enabled);
    }
    EXPECT_EQ(table().GetCount(), 1);
    EXPECT_EQ(yield(), 0);
    EXPECT_EQ(shown.dialog().calculator().state().figures.totalModuleArea, 0);
}

// ---- the refresh tick's colours ---------------------------------------------------------------

struct OutOfRangeCase {
    const char* name;
    int rowIndex;  // display line of the field
    int column;
    const char* typed;
    const char* display;
    Rgb colour;
};

constexpr Rgb kPaleRedOdd{255, 233, 233};
constexpr Rgb kPaleRedEven{255, 244, 244};

class TableOutOfRange : public TableInDialog, public ::testing::WithParamInterface<OutOfRangeCase> {
  protected:
    // Three fields: the opening one, a wall facing west and a flat 12 m² roof.
    void addTwoFields() {
        HTREEITEM row = placeholder();
        typeIntoCell(row, ColumnWidth, QStringLiteral("6"));
        typeIntoCell(row, ColumnHeight, QStringLiteral("2,5"));
        typeIntoCell(row, ColumnAzimuth, QStringLiteral("90"));
        typeIntoCell(row, ColumnTilt, QStringLiteral("90"));
        row = placeholder();
        typeIntoCell(row, ColumnArea, QStringLiteral("12"));
        typeIntoCell(row, ColumnTilt, QStringLiteral("0"));
        ASSERT_EQ(table().GetCount(), 4);
    }
};

TEST_P(TableOutOfRange, IsKeptAndShownOnPaleRedUntilCorrected) {
    const OutOfRangeCase& c = GetParam();
    addTwoFields();
    const HTREEITEM row = rowAt(c.rowIndex);
    typeIntoCell(row, c.column, QString::fromUtf8(c.typed));
    ASSERT_TRUE(afterTicks([&] { return text(row, c.column) == c.display; }))
        << text(row, c.column);
    EXPECT_EQ(table().GetCellBkColor(row, c.column),
              treeListRgb(c.colour.r, c.colour.g, c.colour.b));

    // What the screen shows: the cell's padding, away from its text and the focus.
    clickCell(placeholder(), ColumnYield);
    const QImage image = viewport()->grab().toImage();
    const QRect cell = viewport()->rect().intersected(
        QRect(viewport()->mapFrom(&table(), table().GetCellRect(row, c.column).topLeft()),
              table().GetCellRect(row, c.column).size()));
    const QColor pixel =
        image.pixelColor(QPoint(cell.left() + 2, cell.center().y()) * image.devicePixelRatio());
    EXPECT_EQ(pixel, QColor(c.colour.r, c.colour.g, c.colour.b));
    if (const QByteArray dir = qgetenv("LUMETRA_SHOT_DIR"); !dir.isEmpty()) {
        shown.dialog().grab().save(
            QDir(QString::fromLocal8Bit(dir))
                .filePath(QStringLiteral("table-%1.png").arg(QString::fromUtf8(c.name))));
    }

    // Back in range: the normal background again.
    typeIntoCell(row, c.column, QStringLiteral("10"));
    ASSERT_TRUE(
        afterTicks([&] { return table().GetCellBkColor(row, c.column) == kTreeListDefaultColor; }));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TableOutOfRange,
    ::testing::Values(OutOfRangeCase{"TiltOnAnOddLine", 1, ColumnTilt, "95", "95 ° ", kPaleRedOdd},
                      OutOfRangeCase{"WidthOnAnEvenLine", 2, ColumnWidth, "1001", "1 001.00 m ",
                                     kPaleRedEven},
                      OutOfRangeCase{"OrientationOnTheFirstLine", 0, ColumnAzimuth, "-181",
                                     "-181 ° ", kPaleRedEven}),
    [](const auto& test) { return std::string(test.param.name); });

// ---- focus help from a clicked column -------------------------------------------------------

struct ColumnHelpCase {
    const char* name;
    int column;
    int helpIndex;
};

class TableColumnHelp : public TableInDialog,
                        public ::testing::WithParamInterface<ColumnHelpCase> {};

TEST_P(TableColumnHelp, ClickedColumnShowsItsHelpAtTheNextTick) {
    const ColumnHelpCase& c = GetParam();
    clickCell(firstRow(), c.column);
    const FocusHelp& help = shown.dialog().focusHelp();
    ASSERT_TRUE(afterTicks([&] { return help.shownHelpIndex() == c.helpIndex; }))
        << "shows " << help.shownHelpIndex();
    EXPECT_EQ(shown.dialog().findChild<QLabel*>(QStringLiteral("1106"))->text(),
              qText(helpDescription(c.helpIndex)));
}

INSTANTIATE_TEST_SUITE_P(Cases, TableColumnHelp,
                         ::testing::Values(ColumnHelpCase{"Width", ColumnWidth, 42},
                                           ColumnHelpCase{"Tilt", ColumnTilt, 46},
                                           ColumnHelpCase{"Yield", ColumnYield, 48}),
                         [](const auto& test) { return std::string(test.param.name); });

// ---- the port over the control --------------------------------------------------------------

TEST(TreeListTablePort, KeepsRowsInDisplayOrderAndTextsInUtf8) {
    QWidget parent;  // declared first: the control leaves it before it goes
    CTreeListCtrl control;
    ASSERT_TRUE(control.Create(0, WS_VISIBLE, QRect(0, 0, 400, 200), &parent, 13425));
    setUpModuleFieldColumns(control);
    TreeListTable port(control);
    EXPECT_EQ(port.firstRow(), kNoRow);
    const RowHandle last = port.insertRow(RowPosition::Last);
    const RowHandle first = port.insertRow(RowPosition::First);
    const RowHandle middle = port.insertRow(RowPosition::After, first);
    EXPECT_EQ(port.firstRow(), first);
    EXPECT_EQ(port.nextRow(first), middle);
    EXPECT_EQ(port.nextRow(middle), last);
    EXPECT_EQ(port.nextRow(last), kNoRow);
    EXPECT_EQ(port.previousRow(last), middle);
    EXPECT_EQ(port.rowIndex(last), 2);
    EXPECT_EQ(port.insertRow(RowPosition::After, kNoRow), kNoRow);

    const std::string text = "(Süden)\u00A0 0°";
    port.setCellText(middle, 4, text);
    EXPECT_EQ(port.cellText(middle, 4), text);
    EXPECT_EQ(control.GetItemText(middle, 4), QString::fromUtf8(text.c_str()));
    EXPECT_EQ(port.cellText(kNoRow, 4), "");

    port.setCellBackground(middle, 3, Rgb{255, 0, 0});
    EXPECT_EQ(control.GetCellBkColor(middle, 3), treeListRgb(255, 0, 0));
    port.setCellBackground(middle, 3, std::nullopt);
    EXPECT_EQ(control.GetCellBkColor(middle, 3), kTreeListDefaultColor);

    EXPECT_TRUE(port.deleteRow(middle));
    EXPECT_FALSE(port.deleteRow(middle));
    EXPECT_FALSE(port.deleteRow(kNoRow));
    EXPECT_EQ(port.rowIndex(middle), -1);
    EXPECT_EQ(port.nextRow(first), last);
}

TEST(TreeListTablePort, TracksChangedRows) {
    QWidget parent;  // declared first: the control leaves it before it goes
    CTreeListCtrl control;
    ASSERT_TRUE(control.Create(0, WS_VISIBLE, QRect(0, 0, 400, 200), &parent, 13425));
    setUpModuleFieldColumns(control);
    TreeListTable port(control);
    expectChangeTracking(port);
}

TEST(TreeListTablePort, AnEditorStoringItsTextCountsAsAChange) {
    QWidget parent;
    CTreeListCtrl control;
    ASSERT_TRUE(
        control.Create(0, WS_VISIBLE | TVS_EDITLABELS, QRect(0, 0, 720, 200), &parent, 13425));
    setUpModuleFieldColumns(control);
    TreeListTable port(control);
    const RowHandle first = port.insertRow(RowPosition::Last);
    port.insertRow(RowPosition::Last);
    const std::uint64_t before = port.changeCount();
    parent.show();
    ASSERT_TRUE(control.EditLabel(first, ColumnWidth));
    QLineEdit* line = openEditorLine(control);
    ASSERT_NE(line, nullptr);
    QTest::keyClicks(line, "4");
    QTest::keyClick(line, Qt::Key_Return);
    EXPECT_EQ(port.cellText(first, ColumnWidth), "4");
    EXPECT_EQ(port.rowsChangedSince(before), std::vector<RowHandle>{first});
}

class TreeListKeptRuns : public ::testing::TestWithParam<unsigned> {};

TEST_P(TreeListKeptRuns, MatchFullWalks) {
    QWidget parent;
    CTreeListCtrl control;
    ASSERT_TRUE(control.Create(0, WS_VISIBLE, QRect(0, 0, 720, 200), &parent, 13425));
    setUpModuleFieldColumns(control);
    TreeListTable port(control);
    expectKeptRunsMatchFullWalks({port,
                                  [&](RowHandle row, int column) -> std::optional<Rgb> {
                                      const TreeListColor colour =
                                          control.GetCellBkColor(row, column);
                                      if (colour == kTreeListDefaultColor) {
                                          return std::nullopt;
                                      }
                                      return Rgb{static_cast<std::uint8_t>(colour & 0xFF),
                                                 static_cast<std::uint8_t>((colour >> 8) & 0xFF),
                                                 static_cast<std::uint8_t>((colour >> 16) & 0xFF)};
                                  }},
                                 GetParam(), 300);
}

INSTANTIATE_TEST_SUITE_P(Seeds, TreeListKeptRuns, ::testing::Values(3u, 5u, 8u));

TEST(TreeListTablePort, SetsUpTheColumnsAndEditorsOfTheTable) {
    QWidget parent;
    CTreeListCtrl control;
    ASSERT_TRUE(
        control.Create(0, WS_VISIBLE | TVS_EDITLABELS, QRect(0, 0, 720, 200), &parent, 13425));
    setUpModuleFieldColumns(control);
    EXPECT_EQ(control.GetExtendedStyle(),
              TLXS_GRIDLINES | TLXS_ALTERNATEROWS | TLXS_CELLFOCUS | TLXS_CTRLHOMEEND);
    ASSERT_EQ(control.GetColumnCount(), kModuleFieldColumnCount);
    // Which columns open which editor, as a user finds out with F2 on each cell.
    TreeListTable port(control);
    const RowHandle row = port.insertRow(RowPosition::Last);
    const char* const kExpected[] = {nullptr,     "QLineEdit", "QLineEdit", "QLineEdit",
                                     "QComboBox", "QComboBox", nullptr,     nullptr};
    for (int column = 0; column < kModuleFieldColumnCount; ++column) {
        EXPECT_EQ(control.EditLabel(row, column), kExpected[column] != nullptr)
            << "column " << column;
        if (kExpected[column] != nullptr) {
            ASSERT_NE(control.GetEditControl(), nullptr);
            EXPECT_STREQ(control.GetEditControl()->metaObject()->className(), kExpected[column]);
            control.EndEditLabelNow(true);
        }
    }
}

TEST(TreeListTablePort, ColumnsShareTheWidthByTheirWeights) {
    QWidget parent;  // declared first: the control leaves it before it goes
    CTreeListCtrl control;
    ASSERT_TRUE(control.Create(0, WS_VISIBLE, QRect(0, 0, 720, 200), &parent, 13425));
    setUpModuleFieldColumns(control);
    parent.show();
    QApplication::processEvents();
    EXPECT_EQ(control.GetColumnCount(), 8);
    EXPECT_EQ(control.GetColumnWidth(0), 0);
    const int width = control.GetColumnWidth(1);
    for (int column = 2; column <= 6; ++column) {
        EXPECT_NEAR(control.GetColumnWidth(column), width, 1) << "column " << column;
    }
    EXPECT_NEAR(control.GetColumnWidth(7) * 2, width * 3, 3) << "weight 60 against 40";
}

}  // namespace
}  // namespace lumetra::test
