// SPDX-License-Identifier: GPL-3.0-or-later
// In-place editing of the tree-list control with real key presses and mouse clicks: how an
// edit starts, how it ends, what the end-of-edit notification carries and when the text is
// stored.
#include <QAbstractItemView>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QTest>

#include "TreeListTestSupport.h"

namespace lumetra::test {
namespace {

QString editorText(QWidget* editor) {
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        return combo->currentText();
    }
    return qobject_cast<QLineEdit*>(editor)->text();
}

enum class Start { DoubleClick, ReturnKey, PrintableCharacter };

struct StartCase {
    const char* name;
    Start start;
    int column;
    QString editorTextAtStart;
    unsigned maskAfterReturn;
};

void PrintTo(const StartCase& c, std::ostream* out) {
    *out << c.name;
}

class EditStartTest : public TreeListTest, public ::testing::WithParamInterface<StartCase> {};

TEST_P(EditStartTest, OpensTheColumnsEditorAndReportsOnReturn) {
    const StartCase& c = GetParam();
    const HTREEITEM row = addRow(
        {QStringLiteral("5"), QStringLiteral("2"), QString(), QStringLiteral("(Süden)\u00A0 0°")});
    list->SetFocusCell(row, c.column);
    switch (c.start) {
        case Start::DoubleClick:
            doubleClick(row, c.column);
            break;
        case Start::ReturnKey:
            QTest::keyClick(list, Qt::Key_Return);
            break;
        case Start::PrintableCharacter:
            QTest::keyClick(list, Qt::Key_7);
            break;
    }
    QWidget* editor = list->GetEditControl();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->inherits("QComboBox"), c.column >= 4);
    EXPECT_EQ(editorText(editor), c.editorTextAtStart);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_TRUE(
        list->GetCellRect(row, c.column)
            .intersects(QRect(list->viewport()->mapTo(list, editor->pos()), editor->size())))
        << "the editor lies over the cell";

    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(list->GetEditControl(), nullptr);
    ASSERT_EQ(endEdits.size(), 1u);
    EXPECT_EQ(endEdits[0].item, row);
    EXPECT_EQ(endEdits[0].column, c.column);
    EXPECT_EQ(endEdits[0].text, c.editorTextAtStart);
    EXPECT_EQ(endEdits[0].mask, c.maskAfterReturn);
    EXPECT_EQ(list->GetItemText(row, c.column), c.editorTextAtStart) << "answer 0 stores";
}

INSTANTIATE_TEST_SUITE_P(
    ThreeWays, EditStartTest,
    ::testing::Values(StartCase{"DoubleClickOnEditBox", Start::DoubleClick, 1, QStringLiteral("5"),
                                TVIF_TEXT | TLIF_RETURNKEY},
                      StartCase{"ReturnOnEditBox", Start::ReturnKey, 2, QStringLiteral("2"),
                                TVIF_TEXT | TLIF_RETURNKEY},
                      StartCase{"PrintableCharacterReplacesTheTextAndCountsAsChange",
                                Start::PrintableCharacter, 3, QStringLiteral("7"),
                                TVIF_TEXT | TLIF_RETURNKEY | TLIF_TEXTCHANGED},
                      StartCase{"DoubleClickOnListBox", Start::DoubleClick, 4,
                                QStringLiteral("(Süden)\u00A0 0°"), TVIF_TEXT | TLIF_RETURNKEY},
                      StartCase{"ReturnOnListBoxWithEmptyCell", Start::ReturnKey, 5, QString(),
                                TVIF_TEXT | TLIF_RETURNKEY},
                      StartCase{"PrintableCharacterOnListBox", Start::PrintableCharacter, 5,
                                QStringLiteral("7"),
                                TVIF_TEXT | TLIF_RETURNKEY | TLIF_TEXTCHANGED}),
    [](const ::testing::TestParamInfo<StartCase>& param) { return param.param.name; });

TEST_F(TreeListTest, TypingMarksTheChangeAndTheParentsAnswerDecidesTheStore) {
    struct Case {
        const char* name;
        int answer;
        QString cellAfter;
    };
    for (const Case& c : {Case{"answer 0 stores", 0, QStringLiteral("512")},
                          Case{"answer 1 keeps the cell", 1, QStringLiteral("5")}}) {
        endEdits.clear();
        answer = c.answer;
        const HTREEITEM row = addRow({QStringLiteral("5")});
        list->SetFocusCell(row, 1);
        QTest::keyClick(list, Qt::Key_Return);
        QWidget* editor = list->GetEditControl();
        ASSERT_NE(editor, nullptr) << c.name;
        QTest::keyClick(editor, Qt::Key_End);
        QTest::keyClicks(editor, QStringLiteral("12"));
        QTest::keyClick(editor, Qt::Key_Return);
        ASSERT_EQ(endEdits.size(), 1u) << c.name;
        EXPECT_EQ(endEdits[0].text, QStringLiteral("512")) << c.name;
        EXPECT_EQ(endEdits[0].mask, TVIF_TEXT | TLIF_TEXTCHANGED | TLIF_RETURNKEY) << c.name;
        EXPECT_EQ(list->GetItemText(row, 1), c.cellAfter) << c.name;
    }
}

TEST_F(TreeListTest, EscapeSendsANullTextWithoutTheChangedMarkAndKeepsTheCell) {
    const HTREEITEM row = addRow({QStringLiteral("5")});
    list->SetFocusCell(row, 1);
    QTest::keyClick(list, Qt::Key_9);  // starts the edit with a change
    QWidget* editor = list->GetEditControl();
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, QStringLiteral("99"));
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_EQ(list->GetEditControl(), nullptr);
    ASSERT_EQ(endEdits.size(), 1u);
    EXPECT_EQ(endEdits[0].text, std::nullopt);
    EXPECT_EQ(endEdits[0].mask & (TLIF_TEXTCHANGED | TLIF_RETURNKEY | TVIF_TEXT), 0u);
    EXPECT_EQ(list->GetItemText(row, 1), QStringLiteral("5"));
}

TEST_F(TreeListTest, ClickingElsewhereEndsLikeReturnWithoutTheReturnMark) {
    const HTREEITEM row = addRow({QStringLiteral("5")});
    const HTREEITEM other = addRow();
    list->SetFocusCell(row, 1);
    QTest::keyClick(list, Qt::Key_4);
    ASSERT_NE(list->GetEditControl(), nullptr);
    click(other, 3);
    EXPECT_EQ(list->GetEditControl(), nullptr);
    ASSERT_EQ(endEdits.size(), 1u);
    EXPECT_EQ(endEdits[0].text, QStringLiteral("4"));
    EXPECT_EQ(endEdits[0].mask, TVIF_TEXT | TLIF_TEXTCHANGED);
    EXPECT_EQ(list->GetItemText(row, 1), QStringLiteral("4"));
    EXPECT_EQ(list->GetFocusItem(), other);
    EXPECT_EQ(list->GetFocusColumn(), 3);
}

TEST_F(TreeListTest, LosingTheFocusEndsTheEditButOpeningTheListDoesNot) {
    const HTREEITEM row = addRow({QString(), QString(), QString(), QStringLiteral("0")});
    list->SetFocusCell(row, 4);
    QTest::keyClick(list, Qt::Key_Return);
    QWidget* editor = list->GetEditControl();
    ASSERT_NE(editor, nullptr);
    QFocusEvent toPopup(QEvent::FocusOut, Qt::PopupFocusReason);
    QApplication::sendEvent(editor, &toPopup);
    EXPECT_EQ(list->GetEditControl(), editor) << "the drop-down list took the focus";
    EXPECT_TRUE(endEdits.empty());

    QFocusEvent toOtherWidget(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(editor, &toOtherWidget);
    EXPECT_EQ(list->GetEditControl(), nullptr);
    ASSERT_EQ(endEdits.size(), 1u);
    EXPECT_EQ(endEdits[0].mask, TVIF_TEXT);
    EXPECT_EQ(endEdits[0].text, QStringLiteral("0"));
}

TEST_F(TreeListTest, ListEditorOffersThePresetsAndSelectsTheCellsEntry) {
    const HTREEITEM row = addRow(
        {QString(), QString(), QString(), QString(), QStringLiteral("(Normaldach)\u00A0 30°")});
    list->SetFocusCell(row, 5);
    QTest::keyClick(list, Qt::Key_Return);
    auto* combo = qobject_cast<QComboBox*>(list->GetEditControl());
    ASSERT_NE(combo, nullptr);
    ASSERT_EQ(combo->count(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(combo->itemText(i), QString::fromUtf8(kTiltList[i])) << "entry " << i;
    }
    EXPECT_EQ(combo->currentIndex(), 1);
    QTest::keyClick(combo, Qt::Key_Escape);

    list->SetItemText(row, 5, QStringLiteral("45"));
    QTest::keyClick(list, Qt::Key_Return);
    combo = qobject_cast<QComboBox*>(list->GetEditControl());
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->currentIndex(), -1) << "no entry equals the text";
    EXPECT_EQ(combo->currentText(), QStringLiteral("45"));
}

TEST_F(TreeListTest, PickingAListEntryMarksAChange) {
    const HTREEITEM row = addRow({QString(), QString(), QString(), QStringLiteral("10")});
    list->SetFocusCell(row, 4);
    QTest::keyClick(list, Qt::Key_Return);
    auto* combo = qobject_cast<QComboBox*>(list->GetEditControl());
    ASSERT_NE(combo, nullptr);
    combo->showPopup();
    QAbstractItemView* view = combo->view();
    ASSERT_TRUE(view->isVisible());
    EXPECT_EQ(list->GetEditControl(), combo) << "opening the list keeps the edit open";
    const QPoint entry = view->visualRect(view->model()->index(2, 0)).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, entry);
    EXPECT_EQ(combo->currentText(), QString::fromUtf8(kDirectionList[2]));
    QTest::keyClick(combo, Qt::Key_Return);
    ASSERT_EQ(endEdits.size(), 1u);
    EXPECT_EQ(endEdits[0].text, QString::fromUtf8(kDirectionList[2]));
    EXPECT_EQ(endEdits[0].mask, TVIF_TEXT | TLIF_TEXTCHANGED | TLIF_RETURNKEY);
    EXPECT_EQ(list->GetItemText(row, 4), QString::fromUtf8(kDirectionList[2]));
}

TEST_F(TreeListTest, SeparatedListAndMaximumNumberOfEntries) {
    static const char kSeparated[] = "eins;zwei;drei;vier";
    list->SetCellEditor(4, EditorDropDown, 0x02, kSeparated, ';', 3);
    list->SetCellEditor(5, EditorDropDown, 0x02, kTiltList, 2);
    const HTREEITEM row = addRow();
    struct Case {
        const char* name;
        int column;
        QStringList entries;
    };
    const Case cases[] = {
        {"separated list cut at three",
         4,
         {QStringLiteral("eins"), QStringLiteral("zwei"), QStringLiteral("drei")}},
        {"pointer list cut at two",
         5,
         {QString::fromUtf8(kTiltList[0]), QString::fromUtf8(kTiltList[1])}},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(list->EditLabel(row, c.column)) << c.name;
        auto* combo = qobject_cast<QComboBox*>(list->GetEditControl());
        ASSERT_NE(combo, nullptr) << c.name;
        QStringList entries;
        for (int i = 0; i < combo->count(); ++i) {
            entries.append(combo->itemText(i));
        }
        EXPECT_EQ(entries, c.entries) << c.name;
        list->EndEditLabelNow(true);
    }
}

TEST_F(TreeListTest, DeletingTheItemInsideTheNotificationIsSafe) {
    const HTREEITEM row = addRow({QStringLiteral("5")});
    const HTREEITEM next = addRow();
    list->setEndLabelEditHandler([this](const TreeListEndEdit& edit) {
        // What the main dialog does when the last input of a row is cleared.
        list->SetFocusCell(list->GetNextItem(edit.item, TVGN_NEXT), -1);
        EXPECT_TRUE(list->DeleteItem(edit.item));
        return 0;  // even a "store" answer must not touch the deleted item
    });
    list->SetFocusCell(row, 1);
    QTest::keyClick(list, Qt::Key_Return);
    QWidget* editor = list->GetEditControl();
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Backspace);
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(list->GetCount(), 1);
    EXPECT_EQ(list->GetRowIndex(row), -1);
    EXPECT_EQ(list->GetFocusItem(), next);
    EXPECT_EQ(list->GetItemText(next, 1), QString()) << "no text went to another row";
}

TEST_F(TreeListTest, ParentMayStartTheNextEditFromTheNotification) {
    const HTREEITEM row = addRow({QStringLiteral("5"), QStringLiteral("2")});
    bool started = false;
    list->setEndLabelEditHandler([&](const TreeListEndEdit& edit) {
        if (!started) {
            started = list->EditLabel(edit.item, edit.column + 1);
        }
        return 0;
    });
    list->SetFocusCell(row, 1);
    QTest::keyClick(list, Qt::Key_8);
    QTest::keyClick(list->GetEditControl(), Qt::Key_Return);
    EXPECT_TRUE(started);
    ASSERT_NE(list->GetEditControl(), nullptr);
    EXPECT_EQ(editorText(list->GetEditControl()), QStringLiteral("2"));
    EXPECT_EQ(list->GetItemText(row, 1), QStringLiteral("8"));
}

TEST_F(TreeListTest, NoEditorOpensWhereEditingIsNotAllowed) {
    const HTREEITEM row = addRow({QStringLiteral("5")});
    struct Case {
        const char* name;
        int column;
        int flags;  // editor flags given to column 1 before the attempt
        bool editLabels;
        std::function<void()> gesture;
    };
    const Case cases[] = {
        {"computed column without editor, Return", 6, 0x06, true,
         [&] { QTest::keyClick(list, Qt::Key_Return); }},
        {"computed column without editor, character", 7, 0x06, true,
         [&] { QTest::keyClick(list, Qt::Key_3); }},
        {"double-click without its editor flag", 1, 0x04, true, [&] { doubleClick(row, 1); }},
        {"control without TVS_EDITLABELS", 1, 0x06, false,
         [&] { QTest::keyClick(list, Qt::Key_Return); }},
        {"control key combination is no character", 1, 0x06, true,
         [&] { QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier); }},
    };
    for (const Case& c : cases) {
        list->SetCellEditor(1, EditorEditBox, c.flags);
        list->Create(WS_EX_CLIENTEDGE,
                     (c.editLabels ? TVS_EDITLABELS : 0u) | WS_TABSTOP | WS_VISIBLE,
                     list->geometry(), &window, 13425);
        list->SetFocusCell(row, c.column);
        c.gesture();
        EXPECT_EQ(list->GetEditControl(), nullptr) << c.name;
        list->EndEditLabelNow(true);
    }
    EXPECT_TRUE(endEdits.empty());
}

TEST_F(TreeListTest, DeletingTheEditedItemClosesTheEditorWithoutReport) {
    const HTREEITEM row = addRow({QStringLiteral("5")});
    ASSERT_TRUE(list->EditLabel(row, 1));
    EXPECT_TRUE(list->DeleteItem(row));
    EXPECT_EQ(list->GetEditControl(), nullptr);
    EXPECT_TRUE(endEdits.empty());
}

TEST_F(TreeListTest, EditorFollowsTheCellWhenTheViewScrolls) {
    for (int i = 0; i < 30; ++i) {
        addRow({QString::number(i)});
    }
    const HTREEITEM last = list->GetNextItem(0, TVGN_CARET);
    EXPECT_EQ(last, 0u);
    HTREEITEM item = list->GetNextItem(TVI_ROOT, TLGN_NEXTINLIST);
    for (int i = 0; i < 29; ++i) {
        item = list->GetNextItem(item, TLGN_NEXTINLIST);
    }
    ASSERT_TRUE(list->EditLabel(item, 1)) << "the last row, below the visible part";
    QWidget* editor = list->GetEditControl();
    const QRect cell = list->GetCellRect(item, 1);
    EXPECT_TRUE(list->viewport()->rect().contains(list->viewport()->mapFrom(list, cell.center())))
        << "the edited row was scrolled into view";
    EXPECT_NEAR(editor->geometry().center().y(), list->viewport()->mapFrom(list, cell.center()).y(),
                1);
}

}  // namespace
}  // namespace lumetra::test

namespace lumetra::test {
namespace {

TEST_F(TreeListTest, LeavingTheWindowEndsTheEditOnceTheEventIsDone) {
    const HTREEITEM row = addRow({QStringLiteral("5")});
    ASSERT_TRUE(list->EditLabel(row, 1));
    if (!list->GetEditControl()->hasFocus()) {
        GTEST_SKIP() << "the platform gave the window no keyboard focus";
    }
    window.hide();  // takes the activation (and the focus) from the window
    EXPECT_TRUE(endEdits.empty()) << "not within the deactivation";
    QCoreApplication::processEvents();
    EXPECT_EQ(list->GetEditControl(), nullptr);
    ASSERT_EQ(endEdits.size(), 1u);
    EXPECT_EQ(endEdits[0].mask, TVIF_TEXT);
}

TEST_F(TreeListTest, DestroyingTheWindowDuringAnEditAsksTheOwnerNothing) {
    auto* dialog = new QWidget;
    auto* table = new CTreeListCtrl;
    table->Create(0, TVS_EDITLABELS | WS_VISIBLE, QRect(0, 0, 300, 100), dialog, 7);
    table->InsertColumn(0, QStringLiteral("a"), TLCFMT_LEFT, 100);
    table->SetCellEditor(0, EditorEditBox, 0x06);
    const HTREEITEM row = table->InsertItem(QStringLiteral("x"));
    auto asked = std::make_shared<int>(0);
    table->setEndLabelEditHandler([asked](const TreeListEndEdit&) {
        ++*asked;
        return 0;
    });
    dialog->show();
    dialog->activateWindow();
    ASSERT_TRUE(table->EditLabel(row, 0));
    delete dialog;
    QCoreApplication::processEvents();
    EXPECT_EQ(*asked, 0);
}

}  // namespace
}  // namespace lumetra::test
