// SPDX-License-Identifier: GPL-3.0-or-later
// Both windows open wholly inside the screen's available area on every screen from a netbook's
// 1024 x 600 pixels up: the main window, the Auswertung wherever it was placed before it was
// shown, and the Auswertung at a place and size remembered from a larger screen. The screen must
// exist before the application object does, so each screen runs this very program once more as a
// child process.
#include <QApplication>
#include <QScreen>
#include <QSettings>

#include <gtest/gtest.h>

#include "LinkedEvaluationWindow.h"
#include "MainDialogSupport.h"
#include "widgets/screenfit/WindowFrame.h"

namespace lumetra::test {
namespace {

constexpr char kChildVariable[] = "LUMETRA_SCREEN_FIT_CHILD";
constexpr char kRememberedVariable[] = "LUMETRA_SCREEN_FIT_GEOMETRY";
constexpr int kChildCaseCount = 3;
const QString kGeometryKey = QStringLiteral("Auswertung/Geometrie");

// Why `window` is not wholly inside the available area of its screen, or nothing.
std::string outsideTheScreen(const QWidget& window) {
    const QRect available = window.screen()->availableGeometry();
    const QRect outer = window.frameGeometry();
    if (window.isVisible() && available.contains(outer)) {
        return {};
    }
    return "frame " + std::to_string(outer.x()) + "," + std::to_string(outer.y()) + " " +
           std::to_string(outer.width()) + "x" + std::to_string(outer.height()) +
           " on a screen whose available area is " + std::to_string(available.width()) + "x" +
           std::to_string(available.height());
}

class WindowsOnScreen : public ::testing::Test {
  protected:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty(kChildVariable)) {
            GTEST_SKIP() << "runs in a child process started by ScreenSizes";
        }
    }

    // The Auswertung opened from `shown`, once the window system has had its say.
    EvaluationWindow& openEvaluation(ShownMainDialog& shown) {
        EvaluationWindow& window = openedWindow(shown);
        shown.waitFor([&] { return outsideTheScreen(window).empty(); });
        return window;
    }
};

TEST_F(WindowsOnScreen, TheMainWindowOpensInside) {
    ShownMainDialog shown;
    shown.waitFor([&] { return outsideTheScreen(shown.dialog()).empty(); });
    EXPECT_EQ(outsideTheScreen(shown.dialog()), "");
}

TEST_F(WindowsOnScreen, TheEvaluationOpensInsideWhereverItWasPlaced) {
    ShownMainDialog shown;
    EvaluationWindow& window = openEvaluation(shown);
    window.close();
    // Placed half off the screen's far corner, as a window manager may place a window.
    const QRect available = window.screen()->availableGeometry();
    window.move(available.right() - window.width() / 2, available.bottom() - window.height() / 2);
    EXPECT_EQ(&openEvaluation(shown), &window);
    EXPECT_EQ(outsideTheScreen(window), "");
}

TEST_F(WindowsOnScreen, TheEvaluationOpensInsideWhereItsRememberedPlaceNoLongerFits) {
    QSettings().setValue(kGeometryKey, QByteArray::fromBase64(qgetenv(kRememberedVariable)));
    ShownMainDialog shown;
    EXPECT_EQ(outsideTheScreen(openEvaluation(shown)), "");
}

TEST(ScreenSizes, BothWindowsOpenInsideEveryScreen) {
    if (!qEnvironmentVariableIsEmpty(kChildVariable)) {
        GTEST_SKIP() << "already a child";
    }
    // A place and size remembered on this program's own large screen: the lower right part of
    // it, far beyond the smaller screens.
    QWidget large;
    large.setGeometry(1700, 1000, 1900, 1050);
    large.show();
    const QByteArray remembered = large.saveGeometry().toBase64();
    for (const QSize screen : {QSize(1024, 600), QSize(1024, 768), QSize(1280, 720),
                               QSize(1366, 768), QSize(1920, 1080)}) {
        SCOPED_TRACE(std::to_string(screen.width()) + "x" + std::to_string(screen.height()));
        qputenv(kRememberedVariable, remembered);
        expectChildPassesOnScreen(screen, kChildVariable, QStringLiteral("1"),
                                  QStringLiteral("WindowsOnScreen.*"), kChildCaseCount);
    }
}

}  // namespace
}  // namespace lumetra::test
