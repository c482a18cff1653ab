// SPDX-License-Identifier: GPL-3.0-or-later
// The module-field table from the keyboard: a Tab stop between the fields it sits between, Tab
// and Shift+Tab from cell editor to cell editor and on to the next control, and Delete on a
// field row. Real key presses on the offscreen platform.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include "MainDialogSupport.h"
#include "ModalDriver.h"
#include "energy/ModuleFieldColumns.h"
#include "widgets/treelist/CTreeListCtrl.h"

namespace lumetra::test {
namespace {

class TableKeyboard : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(shown.waitFor([&] { return !table().GetItemText(firstRow(), 1).isEmpty(); }));
    }

    CTreeListCtrl& table() { return *shown.dialog().tableControl(); }
    HTREEITEM firstRow() { return table().GetNextItem(TVI_ROOT, TLGN_NEXTINLIST); }
    HTREEITEM placeholder() { return shown.dialog().calculator().state().placeholderRow; }
    QWidget* focus() { return QApplication::focusWidget(); }

    // The key goes where the keyboard focus is, as a user's key does.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        ASSERT_NE(focus(), nullptr);
        QTest::keyClick(focus(), key, modifiers);
        QApplication::processEvents();  // posted solves
    }

    // Clicks a cell and opens its editor with F2.
    void editCell(HTREEITEM row, int column) {
        const QPoint at =
            table().viewport()->mapFrom(&table(), table().GetCellRect(row, column).center());
        QTest::mouseClick(table().viewport(), Qt::LeftButton, {}, at);
        ASSERT_TRUE(table().hasFocus());
        QTest::keyClick(&table(), Qt::Key_F2);
        ASSERT_NE(table().GetEditControl(), nullptr) << "F2 opened no editor";
    }

    QLineEdit* editorLine() {
        QWidget* editor = table().GetEditControl();
        if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            return combo->lineEdit();
        }
        return qobject_cast<QLineEdit*>(editor);
    }

    // Where an open editor is: its row and column; {0, 0} when none is open.
    std::pair<HTREEITEM, int> editedCell() {
        if (table().GetEditControl() == nullptr) {
            return {0, 0};
        }
        return {table().GetFocusItem(), table().GetFocusColumn()};
    }

    ShownMainDialog shown;
};

TEST_F(TableKeyboard, TheTableIsATabStopBetweenTheModuleAndTheInstallationFields) {
    shown.field(Efficiency)->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Tab);
    EXPECT_EQ(focus(), &table());
    press(Qt::Key_Tab);
    EXPECT_EQ(focus(), shown.field(SystemLosses));
    press(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(focus(), &table());
    press(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(focus(), shown.field(Efficiency));
}

TEST_F(TableKeyboard, TabEndsTheEditAsReturnDoesAndEditsTheNextInputCell) {
    editCell(firstRow(), ColumnWidth);
    QTest::keyClicks(editorLine(), QStringLiteral("6"));
    press(Qt::Key_Tab);
    EXPECT_TRUE(table().GetItemText(firstRow(), ColumnWidth).startsWith(QStringLiteral("6")))
        << table().GetItemText(firstRow(), ColumnWidth).toStdString();
    EXPECT_NEAR(shown.dialog().calculator().state().figures.totalModuleArea, 12, 1e-9)
        << "the row was completed and the yield solved";
    EXPECT_EQ(editedCell(), std::make_pair(firstRow(), int{ColumnHeight}));

    press(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(editedCell(), std::make_pair(firstRow(), int{ColumnWidth}));
    EXPECT_TRUE(editorLine()->hasSelectedText()) << "the whole text is selected for typing over";
}

TEST_F(TableKeyboard, TabWalksTheInputCellsRowByRowAndLeavesAfterTheLast) {
    editCell(firstRow(), ColumnTilt);
    press(Qt::Key_Tab);
    EXPECT_EQ(editedCell(), std::make_pair(placeholder(), int{ColumnWidth}))
        << "power and yield are passed over; the next row follows";
    for (int column = ColumnWidth; column < ColumnTilt; ++column) {
        press(Qt::Key_Tab);
    }
    EXPECT_EQ(editedCell(), std::make_pair(placeholder(), int{ColumnTilt}));
    press(Qt::Key_Tab);
    EXPECT_EQ(table().GetEditControl(), nullptr);
    EXPECT_EQ(focus(), shown.field(SystemLosses)) << "on to the next control";
    EXPECT_EQ(table().GetCount(), 2) << "unchanged cells add no row";
}

TEST_F(TableKeyboard, ShiftTabFromTheFirstInputCellGoesToThePreviousControl) {
    editCell(firstRow(), ColumnWidth);
    press(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(table().GetEditControl(), nullptr);
    EXPECT_EQ(focus(), shown.field(Efficiency));
}

TEST_F(TableKeyboard, TabAfterTypingIntoThePlaceholderMakesAFieldAndGoesOnInIt) {
    editCell(placeholder(), ColumnArea);
    const HTREEITEM typedRow = placeholder();
    QTest::keyClicks(editorLine(), QStringLiteral("12"));
    press(Qt::Key_Tab);
    EXPECT_EQ(table().GetCount(), 3);
    EXPECT_NE(placeholder(), typedRow);
    EXPECT_EQ(editedCell(), std::make_pair(typedRow, int{ColumnAzimuth}));
}

TEST_F(TableKeyboard, DeleteOnAFieldRowDeletesItWithoutAskingAndSolves) {
    editCell(placeholder(), ColumnArea);
    QTest::keyClicks(editorLine(), QStringLiteral("12"));
    press(Qt::Key_Return);
    ASSERT_EQ(table().GetCount(), 3);
    const HTREEITEM second = table().GetNextItem(firstRow(), TVGN_NEXT);
    const double yieldWithBoth = shown.dialog().calculator().state().values[AnnualYield];

    const QPoint at =
        table().viewport()->mapFrom(&table(), table().GetCellRect(firstRow(), ColumnTilt).center());
    QTest::mouseClick(table().viewport(), Qt::LeftButton, {}, at);
    ModalDriver noQuestion;
    press(Qt::Key_Delete);
    EXPECT_TRUE(noQuestion.done()) << noQuestion.failure().toStdString();
    EXPECT_EQ(table().GetCount(), 2);
    EXPECT_EQ(firstRow(), second);
    EXPECT_EQ(table().GetFocusItem(), second) << "the focus stays in the row that took its place";
    EXPECT_LT(shown.dialog().calculator().state().values[AnnualYield], yieldWithBoth);

    // On the placeholder row Delete does nothing.
    press(Qt::Key_Down);
    ASSERT_EQ(table().GetFocusItem(), placeholder());
    press(Qt::Key_Delete);
    EXPECT_EQ(table().GetCount(), 2);
}

}  // namespace
}  // namespace lumetra::test
