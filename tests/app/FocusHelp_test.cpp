// SPDX-License-Identifier: GPL-3.0-or-later
// The help picture and description that follow the keyboard focus at every refresh tick.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "MainDialogSupport.h"
#include "app/ControlIds.h"
#include "app/HelpPictures.h"
#include "widgets/treelist/CTreeListCtrl.h"

namespace lumetra::test {
namespace {

class FocusHelpTest : public ::testing::Test {
  protected:
    QLabel* description() { return shown.dialog().findChild<QLabel*>(QStringLiteral("1106")); }
    QLabel* picture() { return shown.dialog().findChild<QLabel*>(QStringLiteral("1107")); }
    const FocusHelp& help() { return shown.dialog().focusHelp(); }

    void focusAndTick(QWidget* widget) {
        widget->setFocus(Qt::MouseFocusReason);
        ASSERT_TRUE(widget->hasFocus());
        shown.dialog().refreshTick();
    }

    void expectHelp(int helpIndex) {
        EXPECT_EQ(help().shownHelpIndex(), helpIndex);
        EXPECT_EQ(description()->text(), qText(helpDescription(helpIndex)));
        const QPixmap& expected = help().pictures().picture(helpIndex);
        ASSERT_FALSE(expected.isNull());
        EXPECT_EQ(picture()->pixmap().cacheKey(), expected.cacheKey());
        EXPECT_EQ(picture()->size(), shown.dialog().helpPictureArea());
    }

    ShownMainDialog shown;
};

struct ControlCase {
    const char* name;
    int controlId;
    int helpIndex;
};

class FocusHelpControls : public FocusHelpTest,
                          public ::testing::WithParamInterface<ControlCase> {};

TEST_P(FocusHelpControls, ShowsTheHelpOfTheFocusedControl) {
    const ControlCase& c = GetParam();
    QWidget* control = findControl(&shown.dialog(), c.controlId);
    ASSERT_NE(control, nullptr);
    focusAndTick(control);
    expectHelp(c.helpIndex);
    EXPECT_EQ(help().focusKey(), c.controlId);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FocusHelpControls,
    ::testing::Values(ControlCase{"LatitudeField", 1000, Latitude},
                      ControlCase{"HeightFieldHasTheSwappedId", 1006, ModuleHeight},
                      ControlCase{"AreaFieldHasTheSwappedId", 1005, ModuleArea},
                      ControlCase{"PersonsBox", 1060, Persons},
                      ControlCase{"MoneyFieldWithoutLabel", 1039, GridPurchaseCost},
                      ControlCase{"LoadButtonShowsNothing", 1104, kNoHelpIndex},
                      ControlCase{"CancelButtonShowsNothing", 2, kNoHelpIndex}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(FocusHelpTest, FieldAndItsBoxShareThePictureButTheTextIsSetAgain) {
    focusAndTick(shown.field(ModuleWidth));
    const qint64 pictureKey = picture()->pixmap().cacheKey();
    description()->setText(QStringLiteral("overwritten"));
    focusAndTick(shown.box(ModuleWidth));
    EXPECT_EQ(help().focusKey(), 1052);
    EXPECT_EQ(picture()->pixmap().cacheKey(), pictureKey);
    EXPECT_EQ(description()->text(), qText(helpDescription(ModuleWidth)));
}

TEST_F(FocusHelpTest, NothingChangesWhileTheFocusStays) {
    focusAndTick(shown.field(Persons));
    description()->setText(QStringLiteral("kept"));
    shown.dialog().refreshTick();
    EXPECT_EQ(description()->text(), QStringLiteral("kept"));
}

struct ColumnCase {
    const char* name;
    int column;
    int helpIndex;
    int pictureId;
};

class FocusHelpTable : public FocusHelpTest, public ::testing::WithParamInterface<ColumnCase> {};

TEST_P(FocusHelpTable, FollowsTheFocusedColumn) {
    const ColumnCase& c = GetParam();
    CTreeListCtrl* table = shown.dialog().tableControl();
    const HTREEITEM first = table->GetNextItem(TVI_ROOT, TLGN_NEXTINLIST);
    ASSERT_TRUE(table->SetFocusCell(first, c.column));
    focusAndTick(table);
    expectHelp(c.helpIndex);
    EXPECT_EQ(helpPictureResourceId(c.helpIndex), c.pictureId);
    EXPECT_EQ(help().focusKey(), tableFocusKey(c.column));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FocusHelpTable,
    ::testing::Values(ColumnCase{"Width", 1, 42, 139}, ColumnCase{"Height", 2, 43, 140},
                      ColumnCase{"Area", 3, 44, 141}, ColumnCase{"Orientation", 4, 45, 142},
                      ColumnCase{"Tilt", 5, 46, 143}, ColumnCase{"Power", 6, 47, 129},
                      ColumnCase{"Yield", 7, 48, 129}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(FocusHelpTest, OrientationColumnShowsItsDescription) {
    CTreeListCtrl* table = shown.dialog().tableControl();
    ASSERT_TRUE(table->SetFocusCell(table->GetNextItem(TVI_ROOT, TLGN_NEXTINLIST), 4));
    focusAndTick(table);
    EXPECT_TRUE(description()->text().startsWith(
        QStringLiteral("Ist die Himmelsrichtung in der ein Modulfeld ausgerichtet ist.")));
}

TEST_F(FocusHelpTest, TableColumnTwoAndTheCancelButtonAreTold) {
    // Column 2 and the cancel button (id 2) must not be taken for the same focus.
    CTreeListCtrl* table = shown.dialog().tableControl();
    ASSERT_TRUE(table->SetFocusCell(table->GetNextItem(TVI_ROOT, TLGN_NEXTINLIST), 2));
    focusAndTick(table);
    expectHelp(43);
    focusAndTick(shown.dialog().findChild<QPushButton*>(QStringLiteral("2")));
    expectHelp(kNoHelpIndex);
    EXPECT_TRUE(description()->text().isEmpty());
}

TEST_F(FocusHelpTest, CellEditorShowsTheHelpOfItsColumn) {
    CTreeListCtrl* table = shown.dialog().tableControl();
    const HTREEITEM first = table->GetNextItem(TVI_ROOT, TLGN_NEXTINLIST);
    ASSERT_TRUE(table->SetFocusCell(first, 5));
    focusAndTick(table);
    ASSERT_TRUE(table->EditLabel(first, 5));
    QWidget* editor = table->GetEditControl();
    ASSERT_NE(editor, nullptr);
    QWidget* focus = editor->focusProxy() != nullptr ? editor->focusProxy() : editor;
    focusAndTick(focus);
    expectHelp(46);
    table->EndEditLabelNow(true);
}

TEST_F(FocusHelpTest, RealTimerFollowsTheFocus) {
    shown.field(CarDistance)->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(shown.waitFor([&] { return help().shownHelpIndex() == CarDistance; }));
    EXPECT_EQ(description()->text(), qText(helpDescription(CarDistance)));
}

}  // namespace
}  // namespace lumetra::test
