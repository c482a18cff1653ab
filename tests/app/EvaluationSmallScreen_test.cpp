// SPDX-License-Identifier: GPL-3.0-or-later
// The Auswertung window on screens smaller than its default size: a laptop of 1366 x 768
// pixels, where the window is made smaller to fit, and a netbook of 1024 x 600, smaller than the
// window's smallest size, where its contents scroll above buttons that stay in sight. The screen
// must exist before the application object does, so each screen runs this very program once more
// as a child process.
#include <QApplication>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>

#include <gtest/gtest.h>

#include "LinkedEvaluationWindow.h"
#include "MainDialogSupport.h"

namespace lumetra::test {
namespace {

constexpr char kChildVariable[] = "LUMETRA_EVALUATION_SCREEN_CHILD";
constexpr int kChildCaseCount = 2;

struct ScreenCase {
    const char* name;
    QSize size;
    bool scrolls;  // whether the window's smallest size is larger than the screen
};

constexpr ScreenCase kScreens[] = {
    {"laptop", {1366, 768}, false},
    {"netbook", {1024, 600}, true},
};

const ScreenCase& screenOfChild() {
    const QByteArray name = qgetenv(kChildVariable);
    for (const ScreenCase& screen : kScreens) {
        if (name == screen.name) {
            return screen;
        }
    }
    ADD_FAILURE() << "unknown screen " << name.toStdString();
    return kScreens[0];
}

class EvaluationOnSmallScreen : public ::testing::Test {
  protected:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty(kChildVariable)) {
            GTEST_SKIP() << "runs in a child process started by EvaluationScreens";
        }
        ASSERT_EQ(QApplication::primaryScreen()->geometry().size(), screenOfChild().size);
        shown = std::make_unique<ShownMainDialog>();
    }

    // Whether the widget lies wholly on the screen, inside its window's frame.
    static bool isOnScreen(const QWidget& widget) {
        const QRect global(widget.mapToGlobal(QPoint(0, 0)), widget.size());
        return widget.window()->frameGeometry().contains(global) &&
               QApplication::primaryScreen()->availableGeometry().contains(global);
    }

    std::unique_ptr<ShownMainDialog> shown;
};

TEST_F(EvaluationOnSmallScreen, TheWindowAndItsButtonsFitTheScreen) {
    EvaluationWindow& window = openedWindow(*shown);
    ASSERT_TRUE(shown->waitFor([&] { return window.isVisible(); }));
    const QRect available = QApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(available.contains(window.frameGeometry()))
        << window.frameGeometry().width() << "x" << window.frameGeometry().height();
    // Every button, the export buttons and "Schließen", can be clicked.
    const QList<QPushButton*> buttons =
        window.findChildren<QPushButton*>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_EQ(buttons.size(), 6);
    for (const QPushButton* button : buttons) {
        EXPECT_TRUE(isOnScreen(*button)) << button->text().toStdString();
    }
}

TEST_F(EvaluationOnSmallScreen, ContentsKeepTheirSmallestSizeAndScrollOnlyWhenTheyMust) {
    EvaluationWindow& window = openedWindow(*shown);
    ASSERT_TRUE(shown->waitFor([&] { return window.isVisible(); }));
    auto* scroll = window.findChild<QScrollArea*>(QStringLiteral("evaluationScrollArea"));
    if (!screenOfChild().scrolls) {
        EXPECT_EQ(scroll, nullptr) << "a window that fits needs no scrolling";
        EXPECT_GE(window.width(), window.minimumSizeHint().width());
        return;
    }
    ASSERT_NE(scroll, nullptr) << "the contents are not in a scroll area";
    QWidget& contents = *scroll->widget();
    EXPECT_TRUE(contents.isAncestorOf(window.tabs()));
    EXPECT_GE(contents.width(), contents.minimumSizeHint().width());
    EXPECT_GE(contents.height(), contents.minimumSizeHint().height());
    // What does not fit is reached by scrolling: at the scroll bars' ends the tabs' far corner
    // is on show.
    scroll->horizontalScrollBar()->setValue(scroll->horizontalScrollBar()->maximum());
    scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->maximum());
    EXPECT_GT(scroll->horizontalScrollBar()->maximum(), 0);
    QTabWidget& tabs = *window.tabs();
    const QPoint corner = tabs.mapTo(scroll->viewport(), QPoint(tabs.width(), tabs.height()));
    EXPECT_LE(corner.x(), scroll->viewport()->width() + 1);
    EXPECT_LE(corner.y(), scroll->viewport()->height() + 1);
}

TEST(EvaluationScreens, TheWindowFitsALaptopAndANetbook) {
    if (!qEnvironmentVariableIsEmpty(kChildVariable)) {
        GTEST_SKIP() << "already a child";
    }
    for (const ScreenCase& screen : kScreens) {
        SCOPED_TRACE(screen.name);
        expectChildPassesOnScreen(screen.size, kChildVariable, QString::fromLatin1(screen.name),
                                  QStringLiteral("EvaluationOnSmallScreen.*"), kChildCaseCount);
    }
}

}  // namespace
}  // namespace lumetra::test
