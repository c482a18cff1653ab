// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <limits>

#include "app/ChartPixmap.h"

namespace lumetra::test {
namespace {

struct FactorCase {
    const char* name;
    qreal ratio;
    int factor;
};

class ChartFactor : public ::testing::TestWithParam<FactorCase> {};

TEST_P(ChartFactor, RoundsTheRatioUp) {
    EXPECT_EQ(chartPixelFactor(GetParam().ratio), GetParam().factor);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChartFactor,
    ::testing::Values(FactorCase{"One", 1.0, 1}, FactorCase{"OneAndAQuarter", 1.25, 2},
                      FactorCase{"OneAndAHalf", 1.5, 2}, FactorCase{"Two", 2.0, 2},
                      FactorCase{"TwoWithRoundingNoise", 2.0000001, 2},
                      FactorCase{"TwoAndAHalf", 2.5, 3}, FactorCase{"BelowOne", 0.75, 1},
                      FactorCase{"Zero", 0.0, 1}, FactorCase{"Negative", -2.0, 1},
                      FactorCase{"NotANumber", std::numeric_limits<qreal>::quiet_NaN(), 1},
                      FactorCase{"Infinite", std::numeric_limits<qreal>::infinity(), 8},
                      FactorCase{"Huge", 1e300, 8}),
    [](const auto& test) { return std::string(test.param.name); });

Image24 checkerboard(int width, int height) {
    Image24 image(width, height, Rgb{});
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y, (x + y) % 2 == 0 ? Rgb{255, 0, 0} : Rgb{0, 0, 255});
        }
    }
    return image;
}

struct PixmapCase {
    const char* name;
    qreal ratio;
};

class ChartPixmapRatio : public ::testing::TestWithParam<PixmapCase> {};

TEST_P(ChartPixmapRatio, RepeatsEachPixelAndKeepsTheLogicalSize) {
    const Image24 chart = checkerboard(7, 3);
    const int factor = chartPixelFactor(GetParam().ratio);
    const QPixmap pixmap = chartPixmap(chart, GetParam().ratio);
    ASSERT_FALSE(pixmap.isNull());
    EXPECT_DOUBLE_EQ(pixmap.devicePixelRatio(), factor);
    EXPECT_EQ(pixmap.size(), QSize(7 * factor, 3 * factor));
    EXPECT_EQ(pixmap.deviceIndependentSize().toSize(), QSize(7, 3));
    const QImage shown = pixmap.toImage().convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            const Rgb source = chart.pixel(x / factor, y / factor);
            ASSERT_EQ(shown.pixel(x, y), qRgb(source.r, source.g, source.b))
                << "pixel " << x << "," << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ChartPixmapRatio,
                         ::testing::Values(PixmapCase{"One", 1.0}, PixmapCase{"OneAndAHalf", 1.5},
                                           PixmapCase{"Two", 2.0}, PixmapCase{"Three", 3.0}),
                         [](const auto& test) { return std::string(test.param.name); });

TEST(ChartPixmap, EmptyChartGivesNoPixmap) {
    EXPECT_TRUE(chartPixmap(Image24(), 2.0).isNull());
    EXPECT_TRUE(chartPixmap(Image24(0, 5, Rgb{}), 1.0).isNull());
}

}  // namespace
}  // namespace lumetra::test
