// SPDX-License-Identifier: GPL-3.0-or-later
#include "energy/MonthlyChart.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <string>

#include "support/BitmapFont.h"

namespace lumetra {
namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kGrey{128, 128, 128};
constexpr Rgb kBlue{0, 0, 222};
constexpr Rgb kTeal{0, 128, 128};
constexpr Rgb kGreen{0, 222, 0};
constexpr Rgb kRed{200, 0, 0};
constexpr Rgb kDarkRed{100, 0, 0};

// The chart area of the main dialog.
constexpr int kWidth = 300;
constexpr int kHeight = 122;
// With that size: plot height 90, bars on row 104, axis on row 105, numbers from row 108.
constexpr int kBaseRow = 104;
constexpr std::array<int, 12> kBarLeft = {12, 36, 60, 84, 108, 132, 156, 180, 204, 228, 252, 276};

MonthlyFigures sameEveryMonth(double yield, double selfUse, double consumption) {
    MonthlyFigures figures;
    figures.monthlyYield.fill(yield);
    figures.monthlySelfUse.fill(selfUse);
    figures.monthlyConsumption.fill(consumption);
    figures.maxMonthlyYield = yield;
    figures.maxMonthlyConsumption = consumption;
    return figures;
}

// The rows of column x from top to bottom, one letter a pixel: w white, b blue, g green,
// r red, d dark red, a grey, t teal, ? anything else (text shading).
std::string column(const Image24& image, int x, int firstRow, int lastRow) {
    std::string letters;
    for (int y = firstRow; y <= lastRow; ++y) {
        const Rgb p = image.pixel(x, y);
        letters += p == kWhite     ? 'w'
                   : p == kBlue    ? 'b'
                   : p == kGreen   ? 'g'
                   : p == kRed     ? 'r'
                   : p == kDarkRed ? 'd'
                   : p == kGrey    ? 'a'
                   : p == kTeal    ? 't'
                                   : '?';
    }
    return letters;
}

std::string repeat(char letter, int count) {
    return std::string(static_cast<std::size_t>(count), letter);
}

// Whether the rectangle [left, right] x [top, bottom] of two images holds the same pixels.
bool sameRegion(const Image24& a, const Image24& b, int left, int right, int top, int bottom) {
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            if (a.pixel(x, y) != b.pixel(x, y)) {
                return false;
            }
        }
    }
    return true;
}

TEST(MonthlyChart, BarsAreElevenPixelsWideOnTheColumnPitch) {
    // maxMonthlyYield 500: scale 90 / 500 * 0.95 = 0.171; 500 -> 85.5 -> 85 rows, 200 -> 34.2
    const Image24 image = drawMonthlyChart(sameEveryMonth(500, 200, 0), kWidth, kHeight);
    ASSERT_EQ(image.width(), kWidth);
    ASSERT_EQ(image.height(), kHeight);
    for (int i = 0; i < 12; ++i) {
        SCOPED_TRACE("month " + std::to_string(i));
        const int x = kBarLeft[static_cast<std::size_t>(i)];
        const std::string bar = "w" + repeat('b', 85 - 34) + repeat('g', 34);
        EXPECT_EQ(column(image, x, kBaseRow - 85, kBaseRow), bar);
        EXPECT_EQ(column(image, x + 10, kBaseRow - 85, kBaseRow), bar);
        EXPECT_EQ(column(image, x - 1, 16, kBaseRow), repeat('w', kBaseRow - 15));
        EXPECT_EQ(column(image, x + 11, 16, kBaseRow), repeat('w', kBaseRow - 15));
    }
}

TEST(MonthlyChart, AllZeroFiguresGiveZeroLabelsAndNoBarsOrMarks) {
    const Image24 image = drawMonthlyChart(MonthlyFigures{}, kWidth, kHeight);
    // Nothing in the plot but white, right of the vertical axis and above the horizontal one.
    for (int x = 6; x < kWidth; ++x) {
        ASSERT_EQ(column(image, x, 16, kBaseRow), repeat('w', kBaseRow - 15)) << x;
    }
    // Twelve "0" labels centred on 17, 41, 65, ... alternating blue and teal.
    for (int i = 0; i < 12; ++i) {
        SCOPED_TRACE("month " + std::to_string(i));
        const int centre = kBarLeft[static_cast<std::size_t>(i)] + 5;
        Image24 expected(kWidth, kHeight, kWhite);
        drawText(expected, centre, kHeight - 14, "0", i % 2 == 0 ? kBlue : kTeal);
        EXPECT_TRUE(
            sameRegion(image, expected, centre - 11, centre + 11, kHeight - 16, kHeight - 1));
        // The zero's ink is 5 wide, its stamp 7: nothing further out.
        EXPECT_EQ(column(image, centre - 4, kHeight - 16, kHeight - 1), repeat('w', 16));
        EXPECT_NE(column(image, centre - 3, kHeight - 16, kHeight - 1), repeat('w', 16));
        EXPECT_NE(column(image, centre + 3, kHeight - 16, kHeight - 1), repeat('w', 16));
        EXPECT_EQ(column(image, centre + 4, kHeight - 16, kHeight - 1), repeat('w', 16));
    }
}

TEST(MonthlyChart, MonthNamesAreGreyAndCentredOnTheBars) {
    const Image24 image = drawMonthlyChart(MonthlyFigures{}, kWidth, kHeight);
    constexpr std::array<const char*, 12> names = {"Jan", "Feb", "Mar", "Apr", "Mai", "Jun",
                                                   "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};
    for (int i = 0; i < 12; ++i) {
        SCOPED_TRACE(names[static_cast<std::size_t>(i)]);
        const int centre = kBarLeft[static_cast<std::size_t>(i)] + 5;
        Image24 expected(kWidth, kHeight, kWhite);
        drawText(expected, centre, 2, names[static_cast<std::size_t>(i)], kGrey);
        EXPECT_TRUE(sameRegion(image, expected, centre - 11, centre + 11, 0, 15));
    }
}

TEST(MonthlyChart, ScaleFollowsYieldDemandAndTheFloorAtHalf) {
    // Month 0 only; plot height 90. Rows are counted from the top; the bar's top row is
    // 104 - height + 1.
    const struct {
        const char* name;
        double maxYield, maxConsumption, yield, selfUse, consumption;
        int barHeight;  // rows of blue and green
        int greenHeight;
        int markRow;  // -1: no mark
        Rgb markColour;
    } cases[] = {
        {"yield alone: 90 / 100 * 0.95 = 0.855", 100, 0, 100, 40, 0, 85, 34, -1, kRed},
        {"demand below yield keeps the yield scale: 60 * 0.855 = 51.3", 100, 60, 100, 0, 60, 85, 0,
         104 - 51, kRed},
        {"demand between: scale 90 / 150 * 0.95 = 0.57; 99 -> 56.43", 100, 150, 99, 0, 150, 56, 0,
         104 - 85, kRed},
        {"demand far above: floor 0.4275, 150 -> 64", 100, 10000, 100, 50, 150, 42, 21, 104 - 64,
         kRed},
        {"demand far above and off the scale: dark red on the top row", 100, 10000, 100, 50, 10000,
         42, 21, 14, kDarkRed},
        {"no yield maximum: scale 1", 0, 0, 50.9, 0, 0, 50, 0, -1, kRed},
        {"no yield maximum, demand: scale 0.855 beats the floor 0.5", 0, 100, 50, 0, 100, 42, 0,
         104 - 85, kRed},
        {"demand exactly on the plot top stays red", 0, 0, 10, 0, 90.5, 10, 0, 14, kRed},
        {"demand one row above the plot top turns dark red", 0, 0, 10, 0, 91.2, 10, 0, 14,
         kDarkRed},
        {"tiny demand marks the base row", 100, 0, 100, 0, 0.5, 85, 0, 104, kRed},
        {"self-use above the yield: the green bar is taller", 100, 0, 50, 100, 0, 85, 85, -1, kRed},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MonthlyFigures figures;
        figures.maxMonthlyYield = c.maxYield;
        figures.maxMonthlyConsumption = c.maxConsumption;
        figures.monthlyYield[0] = c.yield;
        figures.monthlySelfUse[0] = c.selfUse;
        figures.monthlyConsumption[0] = c.consumption;
        const Image24 image = drawMonthlyChart(figures, kWidth, kHeight);

        std::string expected = repeat('w', kBaseRow - 16 + 1 - c.barHeight) +
                               repeat('b', c.barHeight - c.greenHeight) +
                               repeat('g', c.greenHeight);
        if (c.markRow >= 16) {  // inside the column checked below; row 14 is checked apart
            expected[static_cast<std::size_t>(c.markRow - 16)] = c.markColour == kRed ? 'r' : 'd';
        }
        for (int x : {12, 17, 22}) {
            EXPECT_EQ(column(image, x, 16, kBaseRow), expected) << "column " << x;
        }
        if (c.markRow == 14) {
            for (int x = 12; x <= 22; ++x) {
                EXPECT_EQ(image.pixel(x, 14), c.markColour) << "column " << x;
            }
        }
    }
}

TEST(MonthlyChart, DemandFarAboveYieldMarksOnlyTheMonthsOffTheScale) {
    // Scale: sY = 0.855, sC = 90 / 4000 * 0.95 = 0.021375, so the floor sY / 2 = 0.4275 holds.
    MonthlyFigures figures = sameEveryMonth(100, 0, 0);
    const std::array<double, 12> demand = {4000, 3000, 400, 220, 150,  100,
                                           100,  150,  200, 300, 2000, 4000};
    figures.monthlyConsumption = demand;
    figures.maxMonthlyConsumption = 4000;
    const Image24 image = drawMonthlyChart(figures, kWidth, kHeight);
    // 400 * 0.4275 = 171, 220 -> 94.05, 200 -> 85.5, 150 -> 64.125, 100 -> 42.75
    const std::array<int, 12> markRow = {14,       14,       14,       14, 104 - 64, 104 - 42,
                                         104 - 42, 104 - 64, 104 - 85, 14, 14,       14};
    for (int i = 0; i < 12; ++i) {
        SCOPED_TRACE("month " + std::to_string(i));
        const int x = kBarLeft[static_cast<std::size_t>(i)];
        const int row = markRow[static_cast<std::size_t>(i)];
        const Rgb colour = row == 14 ? kDarkRed : kRed;
        for (int dx = 0; dx < 11; ++dx) {
            EXPECT_EQ(image.pixel(x + dx, row), colour) << "column " << x + dx;
        }
        EXPECT_NE(image.pixel(x - 1, row), colour);
        EXPECT_NE(image.pixel(x + 11, row), colour);
        // Bars keep the floored scale: 100 * 0.4275 = 42.75 -> 42 rows.
        EXPECT_EQ(image.pixel(x, kBaseRow - 41), row == kBaseRow - 41 ? kRed : kBlue);
        EXPECT_NE(image.pixel(x, kBaseRow - 42), kBlue);
    }
}

TEST(MonthlyChart, NegativeYieldHangsBelowTheBaseRow) {
    // Latitude 90 can give negative monthly yields. -20 * 0.855 = -17.1 -> 17 rows from the base
    // row down (104 .. 120); the axis on row 105 is drawn over it.
    MonthlyFigures figures;
    figures.maxMonthlyYield = 100;
    figures.monthlyYield[3] = 100;
    figures.monthlyYield[2] = -20;
    figures.monthlySelfUse[2] = -5;  // not positive: no green bar
    const Image24 image = drawMonthlyChart(figures, kWidth, kHeight);
    for (int x : {60, 65, 70}) {
        EXPECT_EQ(column(image, x, 16, kHeight - 1),
                  repeat('w', kBaseRow - 16) + "ba" + repeat('b', 15) + "w")
            << "column " << x;
    }
    EXPECT_EQ(column(image, 59, kBaseRow, kBaseRow + 3), "waww");  // left of the bar
}

TEST(MonthlyChart, AxesAreGreyAndTheHorizontalOneIs370PixelsLong) {
    const struct {
        const char* name;
        int width;
        int lastAxisColumn;  // -1: the axis runs to the image's edge
    } cases[] = {
        {"narrower than the axis: clipped at the edge", 200, -1},
        {"exactly reaching the edge", 375, -1},
        {"wider than the axis", 500, 374},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Image24 image = drawMonthlyChart(sameEveryMonth(10, 0, 0), c.width, kHeight);
        const int last = c.lastAxisColumn < 0 ? c.width - 1 : c.lastAxisColumn;
        for (int x = 0; x < c.width; ++x) {
            const bool onAxis = x >= 5 && x <= last;
            ASSERT_EQ(image.pixel(x, kHeight - 17) == kGrey, onAxis) << "column " << x;
        }
        EXPECT_EQ(column(image, 5, 15, kHeight - 16),
                  "w" + repeat('a', kHeight - 17 - 16 + 1) + "w");
    }
}

TEST(MonthlyChart, YieldLabelsUseThePlainConversion) {
    const struct {
        const char* name;
        int month;
        double yield;
        const char* text;
    } cases[] = {
        {"no grouping of thousands, even month in blue", 0, 1234.6, "1235"},
        {"exact half rounds toward zero, odd month in teal", 5, 2.5, "2"},
        {"negative yield", 8, -3.7, "-4"},
        {"large yield", 11, 98765.4, "98765"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MonthlyFigures figures;
        figures.monthlyYield[static_cast<std::size_t>(c.month)] = c.yield;
        // Keep the bars away from the labels: scale 90 / 1e9 * 0.95.
        figures.maxMonthlyYield = 1e9;
        const Image24 image = drawMonthlyChart(figures, kWidth, kHeight);
        const int centre = kBarLeft[static_cast<std::size_t>(c.month)] + 5;
        Image24 expected(kWidth, kHeight, kWhite);
        drawText(expected, centre, kHeight - 14, c.text, c.month % 2 == 0 ? kBlue : kTeal);
        const int half = textWidth(c.text) / 2 + 2;
        EXPECT_TRUE(sameRegion(image, expected, std::max(centre - half, 6),
                               std::min(centre + half, kWidth - 1), kHeight - 16, kHeight - 1));
    }
}

TEST(MonthlyChart, DegenerateSizesAndFiguresDoNotBreakIt) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        const char* name;
        int width, height;
        MonthlyFigures figures;
        bool empty;
    } cases[] = {
        {"zero size", 0, 0, sameEveryMonth(100, 50, 80), true},
        {"zero width", 0, kHeight, sameEveryMonth(100, 50, 80), true},
        {"negative height", kWidth, -5, sameEveryMonth(100, 50, 80), true},
        {"one pixel", 1, 1, sameEveryMonth(100, 50, 80), false},
        {"narrower than the margin", 9, 60, sameEveryMonth(100, 50, 80), false},
        {"lower than the plot margins", kWidth, 20, sameEveryMonth(100, 50, 80), false},
        {"infinite figures", kWidth, kHeight, sameEveryMonth(inf, inf, inf), false},
        {"not-a-number figures", kWidth, kHeight, sameEveryMonth(nan, nan, nan), false},
        {"figures far beyond the maxima", kWidth, kHeight,
         [] {
             MonthlyFigures f = sameEveryMonth(1e300, 1e300, 1e300);
             f.maxMonthlyYield = 1e-300;
             f.maxMonthlyConsumption = 1e-300;
             f.monthlyYield[1] = -1e300;
             return f;
         }(),
         false},
        {"large image", 4000, 2000, sameEveryMonth(100, 50, 80), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Image24 image = drawMonthlyChart(c.figures, c.width, c.height);
        EXPECT_EQ(image.isEmpty(), c.empty);
        if (!c.empty) {
            EXPECT_EQ(image.width(), c.width);
            EXPECT_EQ(image.height(), c.height);
        }
    }
}

TEST(MonthlyChart, PlotLowerThanItsMarginsDrawsNoInvertedBars) {
    // Height 30 leaves no plot (30 - 32 < 0): bars and marks have height 0, nothing grows
    // downward from the base row 12 into the numbers.
    const Image24 image = drawMonthlyChart(sameEveryMonth(100, 50, 80), kWidth, 30);
    EXPECT_EQ(column(image, 12, 12, 12), "r");  // the demand mark lies on the base row
    EXPECT_EQ(column(image, 12, 13, 13), "a");  // the axis
    EXPECT_EQ(column(image, 12, 0, 11).find('b'), std::string::npos);
    EXPECT_EQ(column(image, 12, 14, 29).find('b'), std::string::npos);
}

}  // namespace
}  // namespace lumetra
