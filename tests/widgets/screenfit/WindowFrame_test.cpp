// SPDX-License-Identifier: GPL-3.0-or-later
// Where a window goes so that its frame lies inside the screen's available area: the cases a
// window manager produced on real screens, and the limits of shrinking.
#include <gtest/gtest.h>

#include "widgets/screenfit/WindowFrame.h"

namespace lumetra {
namespace {

struct FitCase {
    const char* name;
    QRect client;
    QMargins frame;
    QSize minimum;
    QRect available;
    QRect fitted;
};

void PrintTo(const FitCase& fit, std::ostream* out) {
    *out << fit.name;
}

class FittedWithin : public ::testing::TestWithParam<FitCase> {};

TEST_P(FittedWithin, KeepsTheFrameInsideTheAvailableArea) {
    const FitCase& c = GetParam();
    const QRect fitted = fittedWithin(c.client, c.frame, c.minimum, c.available);
    EXPECT_EQ(fitted, c.fitted);
    if (c.minimum.width() <= c.available.width() && c.minimum.height() <= c.available.height()) {
        EXPECT_TRUE(c.available.contains(fitted.marginsAdded(c.frame)));
    }
}

const QMargins kFrame{4, 36, 4, 4};  // a window manager's title bar and borders

INSTANTIATE_TEST_SUITE_P(
    Cases, FittedWithin,
    ::testing::Values(
        FitCase{"AlreadyInsideStaysPut",
                {100, 100, 800, 600},
                kFrame,
                {},
                {0, 0, 1920, 1080},
                {100, 100, 800, 600}},
        // The Auswertung placed at y = 295 with 800 pixels on a 1920 x 1080 screen.
        FitCase{"BelowTheBottomMovesUp",
                {560, 295, 1280, 800},
                kFrame,
                {},
                {0, 0, 1920, 1080},
                {560, 1080 - 4 - 800, 1280, 800}},
        // The main window sized for a title bar smaller than the real one, at 1366 x 768.
        FitCase{"TallerThanTheScreenShrinks",
                {4, 28, 1280, 736},
                kFrame,
                {320, 240},
                {0, 0, 1366, 768},
                {4, 36, 1280, 768 - 40}},
        FitCase{"LeftAndAboveMoveIn",
                {-300, -50, 640, 480},
                kFrame,
                {},
                {0, 0, 1024, 600},
                {4, 36, 640, 480}},
        FitCase{"APanelAtTheTopIsLeftFree",
                {10, 0, 640, 480},
                kFrame,
                {},
                {0, 32, 1024, 568},
                {10, 68, 640, 480}},
        FitCase{"ASecondScreenOnTheRight",
                {3000, 900, 800, 400},
                kFrame,
                {},
                {1920, 0, 1280, 1024},
                {3200 - 4 - 800, 1024 - 4 - 400, 800, 400}},
        FitCase{"NeverBelowTheSmallestSizeTitleBarInSight",
                {500, 300, 1300, 800},
                kFrame,
                {1200, 700},
                {0, 0, 1024, 600},
                {4, 36, 1200, 700}}));

}  // namespace
}  // namespace lumetra
