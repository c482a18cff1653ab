// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/Resample.h"

#include <gtest/gtest.h>

namespace lumetra {
namespace {

// A picture whose every pixel tells where it came from: red and blue the column (low and high
// byte), green the row.
Image24 coordinatePicture(int width, int height) {
    Image24 image(width, height, Rgb{});
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y,
                           Rgb{static_cast<std::uint8_t>(x % 256), static_cast<std::uint8_t>(y),
                               static_cast<std::uint8_t>(x / 256)});
        }
    }
    return image;
}

TEST(Resample, PicksTheTruncatedSourceColumnAndRow) {
    const struct {
        const char* name;
        int sourceWidth, sourceHeight, width, height;
        int x, y;
        int expectedColumn, expectedRow;
    } cases[] = {
        {"same size is the identity", 5, 4, 5, 4, 3, 2, 3, 2},
        {"doubling repeats each pixel (even)", 3, 3, 6, 6, 4, 5, 2, 2},
        {"doubling repeats each pixel (odd)", 3, 3, 6, 6, 3, 1, 1, 0},
        {"halving takes every second pixel", 8, 8, 4, 4, 3, 1, 6, 2},
        {"help picture, first pixel", 200, 159, 150, 120, 0, 0, 0, 0},
        {"help picture, last column 149 * 200 / 150 = 198.67", 200, 159, 150, 120, 149, 0, 198, 0},
        {"help picture, last row 119 * 159 / 120 = 157.66", 200, 159, 150, 120, 0, 119, 0, 157},
        {"help picture, 100 * 200 / 150 = 133.33", 200, 159, 150, 120, 100, 60, 133, 79},
        {"aspect ratio is not kept", 10, 10, 20, 5, 19, 4, 9, 8},
        {"to a single pixel takes the top left", 9, 9, 1, 1, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Image24 result =
            resampleNearest(coordinatePicture(c.sourceWidth, c.sourceHeight), c.width, c.height);
        ASSERT_EQ(result.width(), c.width);
        ASSERT_EQ(result.height(), c.height);
        const Rgb pixel = result.pixel(c.x, c.y);
        EXPECT_EQ(pixel.r, c.expectedColumn);
        EXPECT_EQ(pixel.g, c.expectedRow);
        EXPECT_EQ(pixel.b, 0);
    }
}

TEST(Resample, EveryResultPixelComesFromItsSourcePixel) {
    const struct {
        const char* name;
        int sourceWidth, sourceHeight, width, height;
    } cases[] = {
        {"wider and lower", 17, 11, 40, 7},
        {"enlarged in both directions (repeated rows)", 5, 3, 13, 10},
        {"reduced in both directions", 379, 159, 297, 151},
        {"single row and column", 1, 1, 4, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Image24 source = coordinatePicture(c.sourceWidth, c.sourceHeight);
        const Image24 result = resampleNearest(source, c.width, c.height);
        for (int y = 0; y < c.height; ++y) {
            for (int x = 0; x < c.width; ++x) {
                ASSERT_EQ(result.pixel(x, y),
                          source.pixel(x * c.sourceWidth / c.width, y * c.sourceHeight / c.height))
                    << x << "," << y;
            }
        }
    }
}

TEST(Resample, DegenerateRequestsGiveAnEmptyImage) {
    const struct {
        const char* name;
        Image24 source;
        int width, height;
    } cases[] = {
        {"zero width", coordinatePicture(3, 3), 0, 5},
        {"negative height", coordinatePicture(3, 3), 5, -2},
        {"empty source", Image24(), 5, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(resampleNearest(c.source, c.width, c.height).isEmpty());
    }
}

TEST(Resample, LargeSizesDoNotOverflowTheIndexProduct) {
    // 29999 * 100000 is beyond the range of int.
    Image24 source(100000, 1, Rgb{1, 2, 3});
    source.setPixel(99996, 0, Rgb{9, 9, 9});
    const Image24 result = resampleNearest(source, 30000, 2);
    EXPECT_EQ(result.pixel(29999, 1), (Rgb{9, 9, 9}));  // 29999 * 100000 / 30000 = 99996.67
    EXPECT_EQ(result.pixel(29998, 0), (Rgb{1, 2, 3}));
}

}  // namespace
}  // namespace lumetra
