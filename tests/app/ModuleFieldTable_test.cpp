// The module-field table inside the main dialog: the adapter over the control, cell edits that
// add rows and re-solve the yield, and the row menu.
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "MainDialogSupport.h"
#include "app/TreeListTable.h"
#include "energy/ModuleFieldEditing.h"
#include "widgets/treelist/CTreeListCtrl.h"

namespace lumetra::test {
namespace {

class TableInDialog : public ::testing::Test {
  protected:
    CTreeListCtrl& table() { return *shown.dialog().tableControl(); }
    HTREEITEM placeholder() { return shown.dialog().calculator().state().placeholderRow; }
    HTREEITEM firstRow() { return table().GetNextItem(TVI_ROOT, TLGN_NEXTINLIST); }
    double yield() { return shown.dialog().calculator().state().values[AnnualYield]; }

    // Types into a cell as a user does: focus the cell, type (which opens the editor), Return.
    void typeIntoCell(HTREEITEM row, int column, const QString& keys) {
        table().setFocus(Qt::MouseFocusReason);
        ASSERT_TRUE(table().SetFocusCell(row, column));
        QTest::keyClicks(&table(), keys.left(1));
        QWidget* editor = table().GetEditControl();
        ASSERT_NE(editor, nullptr) << "typing did not open the cell editor";
        QWidget* target = editor->focusProxy() != nullptr ? editor->focusProxy() : editor;
        QTest::keyClicks(target, keys.mid(1));
        QTest::keyClick(target, Qt::Key_Return);
        QApplication::processEvents();  // the posted yield solve
    }

    ShownMainDialog shown;
};

TEST_F(TableInDialog, TypingIntoThePlaceholderAddsAFieldWhoseYieldIsAdded) {
    const double before = yield();
    const HTREEITEM oldPlaceholder = placeholder();
    typeIntoCell(oldPlaceholder, 1, QStringLiteral("3"));
    EXPECT_EQ(table().GetCount(), 3);
    EXPECT_NE(placeholder(), oldPlaceholder);
    EXPECT_EQ(table().GetRowIndex(placeholder()), 2) << "the placeholder stays last";
    EXPECT_EQ(table().GetItemText(oldPlaceholder, 1), QStringLiteral("3"));
    // With its height the new field has an area, and the yield is solved from both fields.
    typeIntoCell(oldPlaceholder, 2, QStringLiteral("2"));
    EXPECT_EQ(table().GetCount(), 3);
    EXPECT_GT(yield(), before);
    // The next tick gives the cell its display form.
    shown.dialog().refreshTick();
    EXPECT_NE(table().GetItemText(oldPlaceholder, 1), QStringLiteral("3"));
    EXPECT_TRUE(table().GetItemText(oldPlaceholder, 1).startsWith(QStringLiteral("3")));
}

TEST_F(TableInDialog, EscapeInTheCellEditorCancelsAndKeepsTheDialogOpen) {
    const QString before = table().GetItemText(firstRow(), 2);
    table().setFocus(Qt::MouseFocusReason);
    ASSERT_TRUE(table().SetFocusCell(firstRow(), 2));
    QTest::keyClicks(&table(), QStringLiteral("9"));
    QWidget* editor = table().GetEditControl();
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor->focusProxy() != nullptr ? editor->focusProxy() : editor,
                    Qt::Key_Escape);
    EXPECT_TRUE(shown.dialog().isVisible());
    EXPECT_EQ(table().GetItemText(firstRow(), 2), before);
    EXPECT_EQ(table().GetCount(), 2);
}

TEST_F(TableInDialog, DeletingTheOnlyFieldLeavesThePlaceholderAndNoYield) {
    TreeListTable port(table());
    const RowHandle field = port.firstRow();
    ASSERT_NE(field, placeholder());
    ASSERT_GT(yield(), 0);
    deleteRowCommand(shown.dialog().calculator(), field);
    QApplication::processEvents();
    EXPECT_EQ(table().GetCount(), 1);
    EXPECT_EQ(port.firstRow(), placeholder());
    EXPECT_EQ(yield(), 0);
}

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
