// SPDX-License-Identifier: GPL-3.0-or-later
// The main dialog on a laptop screen of 1366 x 768 pixels, smaller than the dialog: its
// contents scroll in a window that fits the screen, and every button can be reached. The
// screen must exist before the application object does, so the test runs this very program
// once more as a child process on an offscreen screen of that size.
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QTest>

#include <gtest/gtest.h>

#include "MainDialogSupport.h"
#include "ModalDriver.h"
#include "app/ControlIds.h"
#include "app/DialogBuilder.h"
#include "app/DialogLayout.h"

namespace lumetra::test {
namespace {

constexpr char kChildVariable[] = "LUMETRA_SMALL_SCREEN_CHILD";
constexpr int kChildCaseCount = 3;

class SmallScreen : public ::testing::Test {
  protected:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty(kChildVariable)) {
            GTEST_SKIP() << "runs in a child process started by LaptopScreen";
        }
        ASSERT_EQ(QApplication::primaryScreen()->geometry(), QRect(0, 0, 1366, 768));
        shown = std::make_unique<ShownMainDialog>();
    }

    CLumetraDlg& dialog() { return shown->dialog(); }
    QScrollArea* scrollArea() { return dialog().findChild<QScrollArea*>(); }
    QPushButton* button(int id) { return qobject_cast<QPushButton*>(findControl(&dialog(), id)); }

    // Whether the widget lies wholly in the part of the contents that is on show.
    bool isOnShow(const QWidget* widget) {
        QWidget* viewport = scrollArea()->viewport();
        const QRect at(widget->mapTo(viewport, QPoint(0, 0)), widget->size());
        return viewport->rect().contains(at) &&
               dialog().window()->frameGeometry().contains(
                   QRect(viewport->mapToGlobal(at.topLeft()), at.size()));
    }

    std::unique_ptr<ShownMainDialog> shown;
};

TEST_F(SmallScreen, TheWindowFitsTheScreenAndScrollsItsContents) {
    ASSERT_NE(scrollArea(), nullptr) << "the contents are not in a scroll area";
    const QRect available = QApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(available.contains(dialog().frameGeometry()))
        << dialog().frameGeometry().width() << "x" << dialog().frameGeometry().height();
    EXPECT_LT(dialog().minimumHeight(), dialog().maximumHeight()) << "resizable";

    // Inside, the layout is the template's: its size and the places of the controls.
    QDialog reference;
    const DialogBaseUnits base = prepareDialog(reference, kMainDialogCaption, kMainDialogSize);
    QWidget* contents = scrollArea()->widget();
    // Under the template's content the hourly balance's status line takes its own strip.
    const QLabel* status = contents->findChild<QLabel*>(QStringLiteral("evaluationStatusLine"));
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->y(), reference.height());
    EXPECT_EQ(contents->size(), reference.size() + QSize(0, status->height()));
    EXPECT_GT(contents->height(), scrollArea()->viewport()->height());
    const struct {
        int id;
        QRect at;  // dialog units
    } buttons[] = {{kLoadButtonId, {520, 455, 40, 14}},
                   {kSaveButtonId, {565, 455, 40, 14}},
                   {kChooseLocationButtonId, {610, 455, 50, 14}},
                   {kCancelId, {670, 455, 50, 14}}};
    for (const auto& expected : buttons) {
        QPushButton* pushButton = button(expected.id);
        ASSERT_NE(pushButton, nullptr) << expected.id;
        EXPECT_EQ(pushButton->parentWidget(), contents);
        EXPECT_EQ(pushButton->geometry(), dialogUnitsToPixels(expected.at, base)) << expected.id;
    }
}

TEST_F(SmallScreen, EveryButtonIsReachedByTabAndScrolledIntoView) {
    for (const int id : {kLoadButtonId, kSaveButtonId, kChooseLocationButtonId, kCancelId}) {
        ASSERT_NE(button(id), nullptr);
        ASSERT_FALSE(isOnShow(button(id)) && id == kCancelId) << "starts below the edge";
    }
    shown->field(Latitude)->setFocus(Qt::TabFocusReason);
    for (const int id : {kLoadButtonId, kSaveButtonId, kChooseLocationButtonId, kCancelId}) {
        for (int presses = 0; presses < 60 && !button(id)->hasFocus(); ++presses) {
            shown->pressTab();
        }
        ASSERT_TRUE(button(id)->hasFocus()) << "Tab never reached button " << id;
        EXPECT_TRUE(isOnShow(button(id))) << "button " << id << " is not on show";
    }
    // The focused "Abbrechen" closes the unchanged window with the space bar.
    QTest::keyClick(button(kCancelId), Qt::Key_Space);
    EXPECT_FALSE(dialog().isVisible());
}

TEST_F(SmallScreen, AButtonOnShowAnswersItsClick) {
    QPushButton* load = button(kLoadButtonId);
    scrollArea()->ensureWidgetVisible(load);
    ASSERT_TRUE(isOnShow(load));
    ModalDriver driver;
    bool offered = false;
    driver.then<QFileDialog>([&offered](QFileDialog* fileDialog) {
        offered = true;
        fileDialog->reject();
    });
    QTest::mouseClick(load, Qt::LeftButton);
    EXPECT_TRUE(driver.done()) << driver.failure().toStdString();
    EXPECT_TRUE(offered);
}

TEST(LaptopScreen, TheDialogScrollsAndEveryButtonIsReachable) {
    if (!qEnvironmentVariableIsEmpty(kChildVariable)) {
        GTEST_SKIP() << "already a child";
    }
    expectChildPassesOnScreen(QSize(1366, 768), kChildVariable, QStringLiteral("1"),
                              QStringLiteral("SmallScreen.*"), kChildCaseCount);
}

}  // namespace
}  // namespace lumetra::test
