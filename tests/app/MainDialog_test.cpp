// SPDX-License-Identifier: GPL-3.0-or-later
// The main dialog driven through real key presses and clicks on the offscreen platform. The
// expected values come from the same core run over in-memory fields, so these tests check that
// the window shows what the calculator computes and routes the user's actions as it should.
#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "MainDialogSupport.h"
#include "app/DialogLayout.h"
#include "model/FieldText.h"
#include "test_support/OpeningState.h"
#include "widgets/treelist/CTreeListCtrl.h"

namespace lumetra::test {
namespace {

bool isInitialPreset(QuantityId q) {
    return std::find(kInitialPresets.begin(), kInitialPresets.end(), q) != kInitialPresets.end();
}

// ---- the opening state --------------------------------------------------------------------

TEST(MainDialogOpening, BoxesShowTheInitialPresets) {
    ShownMainDialog shown;
    for (int index = 0; index < kQuantityCount; ++index) {
        const auto q = static_cast<QuantityId>(index);
        EXPECT_EQ(shown.box(q)->isChecked(), isInitialPreset(q)) << quantityIdentifier(q);
    }
    // Greyed boxes still show their mark.
    EXPECT_FALSE(shown.box(Latitude)->isEnabled());
    EXPECT_TRUE(shown.box(Latitude)->isChecked());
    EXPECT_TRUE(shown.box(Longitude)->isChecked());
}

TEST(MainDialogOpening, DerivedFieldsAreLavenderAndReadOnlyOthersYellow) {
    ShownMainDialog shown;
    const auto& derived = shown.dialog().calculator().state().derived;
    int derivedCount = 0;
    for (int index = 0; index < kQuantityCount; ++index) {
        const auto q = static_cast<QuantityId>(index);
        const bool isDerived = derived[q];
        derivedCount += isDerived ? 1 : 0;
        EXPECT_EQ(shown.field(q)->isReadOnly(), isDerived) << quantityIdentifier(q);
        EXPECT_EQ(fieldBackground(shown.field(q)),
                  isDerived ? kDerivedFieldColour : kEditableFieldColour)
            << quantityIdentifier(q);
    }
    EXPECT_GT(derivedCount, 0);
    EXPECT_TRUE(shown.field(ModuleArea)->isReadOnly());
    EXPECT_FALSE(shown.field(StorageDays)->isReadOnly());  // free: editable
}

TEST(MainDialogOpening, FieldsShowTheSolvedValues) {
    ShownMainDialog shown;
    OpeningState expected;
    for (int index = 0; index < kQuantityCount; ++index) {
        const auto q = static_cast<QuantityId>(index);
        EXPECT_EQ(shown.text(q).toStdString(), expected.fields.fieldText(q))
            << quantityIdentifier(q);
    }
    // The module area has been computed from width and height.
    EXPECT_EQ(shown.text(ModuleArea), QStringLiteral("1.713"));
}

TEST(MainDialogOpening, TableHoldsOneFieldAndThePlaceholder) {
    ShownMainDialog shown;
    CTreeListCtrl* table = shown.dialog().tableControl();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->GetCount(), 2);
    const HTREEITEM first = table->GetNextItem(TVI_ROOT, TLGN_NEXTINLIST);
    const HTREEITEM second = table->GetNextItem(first, TVGN_NEXT);
    EXPECT_EQ(second, shown.dialog().calculator().state().placeholderRow);
    EXPECT_TRUE(table->GetItemText(first, 1).startsWith(QStringLiteral("5")));
    for (int column = 1; column <= 7; ++column) {
        EXPECT_TRUE(table->GetItemText(second, column).isEmpty()) << "column " << column;
    }
    EXPECT_EQ(table->GetColumnCount(), 8);
    EXPECT_EQ(table->GetColumnWidth(0), 0);
}

TEST(MainDialogOpening, ChartIsDrawnByTheFirstTick) {
    ShownMainDialog shown;
    EXPECT_FALSE(shown.dialog().hasChart());
    ASSERT_TRUE(shown.waitFor([&] { return shown.dialog().hasChart(); }));
    const auto* chart = shown.dialog().findChild<QLabel*>(QStringLiteral("1111"));
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->size(), shown.dialog().chartArea());
    EXPECT_FALSE(chart->pixmap().isNull());
}

// ---- typing into fields -------------------------------------------------------------------

TEST(MainDialogTyping, EveryKeystrokeSolvesAndTheTypedTextStays) {
    ShownMainDialog shown;
    OpeningState expected;
    QSignalSpy householdChanges(shown.field(HouseholdElectricity), &QLineEdit::textChanged);

    shown.typeInto(Persons, QStringLiteral("1"));
    expected.fields.setFocusedField(Persons);
    expected.fields.setFieldText(Persons, "1");
    EXPECT_EQ(shown.text(HouseholdElectricity).toStdString(),
              expected.fields.fieldText(HouseholdElectricity));

    QTest::keyClicks(shown.field(Persons), QStringLiteral("5"));
    expected.fields.setFieldText(Persons, "15");
    EXPECT_EQ(shown.text(HouseholdElectricity).toStdString(),
              expected.fields.fieldText(HouseholdElectricity));
    EXPECT_EQ(householdChanges.count(), 2) << "one solve per keystroke";
    EXPECT_EQ(shown.text(Persons), QStringLiteral("15"));
    EXPECT_EQ(shown.dialog().calculator().state().values[Persons], 15);
}

struct LeaveCase {
    const char* name;
    QuantityId quantity;
    const char* typed;
    const char* shown;
};

class MainDialogLeaving : public ::testing::TestWithParam<LeaveCase> {};

TEST_P(MainDialogLeaving, LeavingAFieldShowsItsDisplayForm) {
    const LeaveCase& c = GetParam();
    ShownMainDialog shown;
    shown.typeInto(c.quantity, QString::fromUtf8(c.typed));
    EXPECT_EQ(shown.text(c.quantity), QString::fromUtf8(c.typed)) << "kept while focused";
    shown.pressTab();
    EXPECT_FALSE(shown.field(c.quantity)->hasFocus());
    EXPECT_EQ(shown.text(c.quantity), QString::fromUtf8(c.shown));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MainDialogLeaving,
    ::testing::Values(LeaveCase{"DigitGroupsWithNoDecimals", CarDistance, "4100", "4 100"},
                      LeaveCase{"ExtraDecimalsAreCutOff", HeatedArea, "3.75", "3.7"},
                      LeaveCase{"ValueIsLimitedToTheMaximum", Latitude, "120", "90.000000"},
                      LeaveCase{"CommaReadsAsPoint", SystemLosses, "12,5", "12.5"},
                      LeaveCase{"TextThatIsNoNumberReadsAsZero", Persons, "abc", "0"}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(MainDialogTyping, TabFollowsTheScreenOrderWidthHeightArea) {
    ShownMainDialog shown;
    QTest::mouseClick(shown.field(ModuleWidth), Qt::LeftButton);
    shown.pressTab();
    EXPECT_TRUE(shown.field(ModuleHeight)->hasFocus());
    shown.pressTab();
    EXPECT_TRUE(shown.field(ModuleArea)->hasFocus());
    shown.pressTab();
    EXPECT_TRUE(shown.field(ModulePower)->hasFocus());
}

TEST(MainDialogKeys, EnterChangesNothing) {
    ShownMainDialog shown;
    shown.typeInto(Persons, QStringLiteral("7"));
    const QString household = shown.text(HouseholdElectricity);
    QTest::keyClick(shown.field(Persons), Qt::Key_Return);
    QTest::keyClick(shown.field(Persons), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_TRUE(shown.dialog().isVisible());
    EXPECT_TRUE(shown.field(Persons)->hasFocus());
    EXPECT_EQ(shown.text(Persons), QStringLiteral("7"));
    EXPECT_EQ(shown.text(HouseholdElectricity), household);
    // Nor on a button: Enter presses none.
    auto* load = shown.dialog().findChild<QPushButton*>(QStringLiteral("1104"));
    auto* cancel = shown.dialog().findChild<QPushButton*>(QStringLiteral("2"));
    QSignalSpy loadClicks(load, &QPushButton::clicked);
    cancel->setFocus();
    QTest::keyClick(cancel, Qt::Key_Return);
    EXPECT_TRUE(shown.dialog().isVisible());
    EXPECT_EQ(loadClicks.count(), 0);
}

// ---- "Vorgabe" boxes ----------------------------------------------------------------------

TEST(MainDialogBoxes, TickingTheAreaReleasesTheWidthAndSwapsTheColours) {
    ShownMainDialog shown;
    ASSERT_TRUE(shown.box(ModuleWidth)->isChecked());
    ASSERT_TRUE(shown.box(ModuleHeight)->isChecked());
    ASSERT_TRUE(shown.field(ModuleArea)->isReadOnly());

    QTest::mouseClick(shown.box(ModuleArea), Qt::LeftButton);

    EXPECT_TRUE(shown.box(ModuleArea)->isChecked());
    EXPECT_FALSE(shown.box(ModuleWidth)->isChecked()) << "the older preset is released";
    EXPECT_TRUE(shown.box(ModuleHeight)->isChecked());
    EXPECT_TRUE(shown.field(ModuleWidth)->isReadOnly());
    EXPECT_EQ(fieldBackground(shown.field(ModuleWidth)), kDerivedFieldColour);
    EXPECT_FALSE(shown.field(ModuleArea)->isReadOnly());
    EXPECT_EQ(fieldBackground(shown.field(ModuleArea)), kEditableFieldColour);
}

TEST(MainDialogBoxes, ClickingAgainUnticksOnlyThatBox) {
    ShownMainDialog shown;
    QTest::mouseClick(shown.box(ModulePower), Qt::LeftButton);
    EXPECT_FALSE(shown.box(ModulePower)->isChecked());
    EXPECT_FALSE(shown.dialog().calculator().state().preset[ModulePower]);
    QTest::mouseClick(shown.box(ModulePower), Qt::LeftButton);
    EXPECT_TRUE(shown.box(ModulePower)->isChecked());
    EXPECT_TRUE(shown.dialog().calculator().state().preset[ModulePower]);
}

TEST(MainDialogBoxes, ADisabledBoxIgnoresClicksAndKeys) {
    ShownMainDialog shown;
    const auto before = shown.dialog().calculator().state().preset;
    QTest::mouseClick(shown.box(Latitude), Qt::LeftButton);
    QTest::keyClick(shown.box(Latitude), Qt::Key_Space);
    EXPECT_TRUE(shown.box(Latitude)->isChecked());
    EXPECT_EQ(shown.dialog().calculator().state().preset, before);
}

TEST(MainDialogBoxes, SpaceOnAFocusedBoxTogglesLikeAClick) {
    ShownMainDialog shown;
    shown.box(Persons)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(shown.box(Persons), Qt::Key_Space);
    EXPECT_FALSE(shown.box(Persons)->isChecked());
    EXPECT_FALSE(shown.dialog().calculator().state().preset[Persons]);
}

// ---- the system menu on the dialog's background -----------------------------------------------

TEST(MainDialogMenu, RightClickOnTheBackgroundOffersTheSystemEntries) {
    ShownMainDialog shown;
    QStringList entries;
    QTimer::singleShot(0, &shown.dialog(), [&entries] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            for (const QAction* action : menu->actions()) {
                entries << (action->isSeparator() ? QStringLiteral("-") : action->text());
            }
            menu->close();
        }
    });
    const QPoint background(shown.dialog().width() / 2, 2);  // above the first group box
    QContextMenuEvent event(QContextMenuEvent::Mouse, background,
                            shown.dialog().mapToGlobal(background));
    QApplication::sendEvent(&shown.dialog(), &event);
    // The Auswertung's entry first; the system entries end the menu.
    EXPECT_EQ(entries, (QStringList{QStringLiteral("Auswertung..."), QStringLiteral("-"),
                                    QStringLiteral("Inf&o über Lumetra..."),
                                    QStringLiteral("Informationen")}));
    EXPECT_TRUE(shown.dialog().isVisible());
}

}  // namespace
}  // namespace lumetra::test
