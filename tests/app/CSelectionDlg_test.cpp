// SPDX-License-Identifier: GPL-3.0-or-later
// The selection dialog run modally and answered with real key presses and clicks.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "ModalDriver.h"
#include "app/CSelectionDlg.h"
#include "app/ControlIds.h"
#include "widgets/dialogunits/DialogUnits.h"

namespace lumetra::test {
namespace {

const QStringList kPlaces = {"Linz", "Wien", "Graz", "Äpfelbach"};

void fill(CSelectionDlg& dialog) {
    for (int i = 0; i < kPlaces.size(); ++i) {
        dialog.addEntry(kPlaces[i], 10 * i);
    }
}

TEST(CSelectionDlgLayout, TemplateSizeIdsAndTexts) {
    CSelectionDlg dialog;
    const DialogBaseUnits base = dialogBaseUnits(dialog.font());
    EXPECT_EQ(dialog.size(),
              QSize(dialogUnitsToPixelsX(227, base), dialogUnitsToPixelsY(76, base)));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Auswahl"));
    EXPECT_EQ(findControl(&dialog, kSelectionLabelId), dialog.label());
    EXPECT_EQ(findControl(&dialog, kSelectionListId), dialog.list());
    EXPECT_EQ(findControl(&dialog, 1), dialog.okButton());
    EXPECT_EQ(findControl(&dialog, 2), dialog.cancelButton());
    EXPECT_EQ(dialog.okButton()->text(), QStringLiteral("OK"));
    EXPECT_EQ(dialog.cancelButton()->text(), QStringLiteral("Abbrechen"));
    EXPECT_TRUE(dialog.okButton()->isDefault());
    EXPECT_FALSE(dialog.list()->isEditable()) << "the list takes no typing";
    EXPECT_EQ(dialog.list()->geometry().left(), dialogUnitsToPixelsX(15, base));
    EXPECT_EQ(dialog.list()->width(), dialogUnitsToPixelsX(195, base));
    EXPECT_LE(dialog.list()->geometry().bottom(), dialog.okButton()->geometry().top())
        << "the closed list stays above the buttons";

    dialog.setCaption(QStringLiteral("Datenbank"));
    dialog.setLabel(QStringLiteral("Ort auswählen"));
    dialog.setCaption(QString());  // empty texts keep what is set
    dialog.setLabel(QString());
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Datenbank"));
    EXPECT_EQ(dialog.label()->text(), QStringLiteral("Ort auswählen"));
}

struct PreselectCase {
    const char* name;
    int selected;  // -2: never set
    int shown;
};

TEST(CSelectionDlgRun, ShowsEntriesInAddedOrderWithThePreselection) {
    const PreselectCase cases[] = {
        {"NeverSet", -2, 0}, {"First", 0, 0},        {"Third", 2, 2},
        {"Last", 3, 3},      {"BeyondTheEnd", 4, 0}, {"Negative", -1, 0},
    };
    for (const PreselectCase& c : cases) {
        CSelectionDlg dialog;
        fill(dialog);
        if (c.selected != -2) {
            dialog.setSelectedIndex(c.selected);
        }
        QStringList shownEntries;
        int shownIndex = -1;
        bool listHasFocus = false;
        ModalDriver driver;
        driver.then<CSelectionDlg>([&](CSelectionDlg* open) {
            for (int i = 0; i < open->list()->count(); ++i) {
                shownEntries << open->list()->itemText(i);
            }
            shownIndex = open->list()->currentIndex();
            listHasFocus = open->focusWidget() == open->list();
            QTest::keyClick(open->list(), Qt::Key_Return);  // the default button
        });
        const bool ok = dialog.runModal();
        ASSERT_TRUE(driver.done()) << c.name << ": " << driver.failure().toStdString();
        EXPECT_EQ(shownEntries, kPlaces) << c.name;
        EXPECT_EQ(shownIndex, c.shown) << c.name;
        EXPECT_TRUE(listHasFocus) << c.name;
        EXPECT_TRUE(ok) << c.name;
        EXPECT_EQ(dialog.chosenIndex(), c.shown) << c.name;
        EXPECT_EQ(dialog.chosenText(), kPlaces[c.shown]) << c.name;
        EXPECT_EQ(dialog.chosenValue(), 10 * c.shown) << c.name;
    }
}

struct AnswerCase {
    const char* name;
    std::function<void(CSelectionDlg*)> answer;
    bool ok;
    int chosen;
};

TEST(CSelectionDlgRun, OnlyOkGivesAChoice) {
    const AnswerCase cases[] = {
        {"ArrowDownThenOk",
         [](CSelectionDlg* open) {
             QTest::keyClick(open->list(), Qt::Key_Down);
             QTest::mouseClick(open->okButton(), Qt::LeftButton);
         },
         true, 2},
        {"ArrowDownThenAbbrechen",
         [](CSelectionDlg* open) {
             QTest::keyClick(open->list(), Qt::Key_Down);
             QTest::mouseClick(open->cancelButton(), Qt::LeftButton);
         },
         false, -1},
        {"Escape", [](CSelectionDlg* open) { QTest::keyClick(open->list(), Qt::Key_Escape); },
         false, -1},
        {"Closed", [](CSelectionDlg* open) { open->close(); }, false, -1},
    };
    for (const AnswerCase& c : cases) {
        CSelectionDlg dialog;
        fill(dialog);
        dialog.setSelectedIndex(1);
        ModalDriver driver;
        driver.then<CSelectionDlg>(c.answer);
        EXPECT_EQ(dialog.runModal(), c.ok) << c.name;
        ASSERT_TRUE(driver.done()) << c.name << ": " << driver.failure().toStdString();
        EXPECT_EQ(dialog.chosenIndex(), c.chosen) << c.name;
        EXPECT_EQ(dialog.chosenText(), c.chosen >= 0 ? kPlaces[c.chosen] : QString()) << c.name;
    }
}

TEST(CSelectionDlgRun, EmptyListOffersNothingToChoose) {
    CSelectionDlg dialog;
    ModalDriver driver;
    driver.then<CSelectionDlg>(
        [](CSelectionDlg* open) { QTest::mouseClick(open->okButton(), Qt::LeftButton); });
    EXPECT_FALSE(dialog.runModal());
    ASSERT_TRUE(driver.done()) << driver.failure().toStdString();
    EXPECT_EQ(dialog.chosenIndex(), -1);
}

TEST(CSelectionDlgRun, SecondRunShowsTheSameEntriesOnce) {
    CSelectionDlg dialog;
    fill(dialog);
    for (int run = 0; run < 2; ++run) {
        int count = 0;
        ModalDriver driver;
        driver.then<CSelectionDlg>([&count](CSelectionDlg* open) {
            count = open->list()->count();
            open->reject();
        });
        dialog.runModal();
        ASSERT_TRUE(driver.done()) << driver.failure().toStdString();
        EXPECT_EQ(count, kPlaces.size()) << "run " << run;
    }
}

}  // namespace
}  // namespace lumetra::test
