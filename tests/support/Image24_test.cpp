// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/Image24.h"

#include <gtest/gtest.h>

#include <climits>
#include <stdexcept>
#include <string>

namespace lumetra {
namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kInk{10, 20, 30};

// The pixels of an image that carry kInk, as rows of '#' and '.' separated by blanks.
std::string coverage(const Image24& image) {
    std::string rows;
    for (int y = 0; y < image.height(); ++y) {
        if (y > 0) {
            rows += ' ';
        }
        for (int x = 0; x < image.width(); ++x) {
            rows += image.pixel(x, y) == kInk ? '#' : '.';
        }
    }
    return rows;
}

TEST(Image24, FillsEveryPixelAndLaysOutRgbRowsWithoutPadding) {
    Image24 image(3, 2, Rgb{1, 2, 3});
    ASSERT_EQ(image.width(), 3);
    ASSERT_EQ(image.height(), 2);
    ASSERT_EQ(image.byteCount(), 18u);
    for (std::size_t i = 0; i < 18; i += 3) {
        EXPECT_EQ(image.data()[i], 1) << i;
        EXPECT_EQ(image.data()[i + 1], 2) << i;
        EXPECT_EQ(image.data()[i + 2], 3) << i;
    }
    image.setPixel(2, 0, Rgb{40, 50, 60});
    image.setPixel(0, 1, Rgb{70, 80, 90});
    EXPECT_EQ(image.data()[6], 40);
    EXPECT_EQ(image.data()[7], 50);
    EXPECT_EQ(image.data()[8], 60);
    EXPECT_EQ(image.data()[9], 70);  // the second row starts right after 3 pixels
    EXPECT_EQ(image.data()[11], 90);
    EXPECT_EQ(image.pixel(2, 0), (Rgb{40, 50, 60}));
}

TEST(Image24, DegenerateSizesGiveAnEmptyImageThatIgnoresDrawing) {
    const struct {
        const char* name;
        int width;
        int height;
    } cases[] = {{"zero width", 0, 5},
                 {"zero height", 7, 0},
                 {"negative width", -3, 4},
                 {"negative height", 4, -1},
                 {"both minimal", INT_MIN, INT_MIN}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Image24 image(c.width, c.height, kWhite);
        EXPECT_TRUE(image.isEmpty());
        EXPECT_EQ(image.width(), 0);
        EXPECT_EQ(image.height(), 0);
        EXPECT_EQ(image.byteCount(), 0u);
        EXPECT_EQ(image.data(), nullptr);
        image.fillRect(0, 0, 10, 10, kInk);
        image.setPixel(0, 0, kInk);
        image.blendPixel(0, 0, kInk, 20);
        EXPECT_EQ(image.pixel(0, 0), Rgb{});
    }
}

TEST(Image24, RefusesImagesBeyondThePixelLimit) {
    EXPECT_THROW(Image24(INT_MAX, INT_MAX, kWhite), std::length_error);
    EXPECT_THROW(Image24(8193, 8192, kWhite), std::length_error);
}

TEST(Image24, OutsidePixelsReadBlackAndIgnoreWrites) {
    Image24 image(2, 2, kWhite);
    for (const auto& [x, y] : {std::pair{-1, 0}, {0, -1}, {2, 0}, {0, 2}, {INT_MIN, INT_MAX}}) {
        image.setPixel(x, y, kInk);
        image.blendPixel(x, y, kInk, 32);
        EXPECT_EQ(image.pixel(x, y), Rgb{}) << x << "," << y;
    }
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 2; ++x) {
            EXPECT_EQ(image.pixel(x, y), kWhite);
        }
    }
}

TEST(Image24, FillRectCoversTheDocumentedRowsAndColumnsAndClips) {
    // Each case fills a 6 x 5 white image; expected shows its rows top to bottom.
    const struct {
        const char* name;
        int x, y, width, height;
        const char* expected;
    } cases[] = {
        {"downward from the corner", 1, 1, 3, 2, "...... .###.. .###.. ...... ......"},
        {"negative height extends upward and includes row y", 2, 3, 2, -3,
         "...... ..##.. ..##.. ..##.. ......"},
        {"negative width extends leftward and includes column x", 3, 0, -2, 1,
         "..##.. ...... ...... ...... ......"},
        {"height minus one covers row y only", 0, 4, 6, -1, "...... ...... ...... ...... ######"},
        {"zero height fills nothing", 0, 0, 6, 0, "...... ...... ...... ...... ......"},
        {"zero width fills nothing", 0, 0, 0, 5, "...... ...... ...... ...... ......"},
        {"clipped on the left and top", -2, -2, 4, 4, "##.... ##.... ...... ...... ......"},
        {"clipped on the right and bottom", 4, 3, 10, 10, "...... ...... ...... ....## ....##"},
        {"upward from below the image keeps the visible row", 5, 7, 1, -4,
         "...... ...... ...... ...... .....#"},
        {"entirely above the image", 0, -1, 6, -3, "...... ...... ...... ...... ......"},
        {"entirely right of the image", 6, 0, 5, 5, "...... ...... ...... ...... ......"},
        {"extreme sizes from the far corner reach back over everything", INT_MAX, INT_MAX, INT_MIN,
         INT_MIN, "###### ###### ###### ###### ######"},
        {"extreme sizes from the near corner stay outside", INT_MIN, INT_MIN, INT_MIN, INT_MIN,
         "...... ...... ...... ...... ......"},
        {"extreme size from inside covers to the edge", 3, 2, INT_MAX, INT_MIN,
         "...### ...### ...### ...... ......"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Image24 image(6, 5, kWhite);
        image.fillRect(c.x, c.y, c.width, c.height, kInk);
        EXPECT_EQ(coverage(image), c.expected);
    }
}

TEST(Image24, BlendRoundsToTheNearestValueWithHalvesAwayFromZero) {
    const struct {
        const char* name;
        std::uint8_t old;
        std::uint8_t colour;
        int weight;
        std::uint8_t expected;
    } cases[] = {
        {"weight 0 keeps the pixel", 255, 0, 0, 255},
        {"weight 32 gives the colour", 255, 0, 32, 0},
        {"weight 32 upward", 3, 250, 32, 250},
        {"20 of white to black: -159.375 rounds to -159", 255, 0, 20, 96},
        {"2 of white to black: -15.94 rounds to -16", 255, 0, 2, 239},
        {"1 of white to black: -7.97 rounds to -8", 255, 0, 1, 247},
        {"20 of white to 222: -20.625 rounds to -21", 255, 222, 20, 234},
        {"2 of white to 222: -2.06 rounds to -2", 255, 222, 2, 253},
        {"1 of white to 222: -1.03 rounds to -1", 255, 222, 1, 254},
        {"exact half downward rounds away from zero: -16/32", 16, 0, 1, 15},
        {"exact half upward rounds away from zero: +16/32", 0, 16, 1, 1},
        {"just under half downward stays: -15/32", 15, 0, 1, 15},
        {"upward blend: 0 toward 255 by 20", 0, 255, 20, 159},
        {"same colour stays", 77, 77, 20, 77},
        {"weight above 32 acts as 32", 255, 0, 40, 0},
        {"negative weight acts as 0", 255, 0, -5, 255},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Image24 image(1, 1, Rgb{c.old, c.old, c.old});
        image.blendPixel(0, 0, Rgb{c.colour, 0, c.colour}, c.weight);
        EXPECT_EQ(image.pixel(0, 0).r, c.expected);
        EXPECT_EQ(image.pixel(0, 0).b, c.expected);
    }
}

TEST(Image24, BlendNeverOvershootsTheColour) {
    for (int old = 0; old < 256; old += 5) {
        for (int colour = 0; colour < 256; colour += 7) {
            for (int weight = 0; weight <= 32; ++weight) {
                const auto o = static_cast<std::uint8_t>(old);
                const auto c = static_cast<std::uint8_t>(colour);
                Image24 image(1, 1, Rgb{o, o, o});
                image.blendPixel(0, 0, Rgb{c, c, c}, weight);
                const int result = image.pixel(0, 0).g;
                EXPECT_GE(result, std::min(old, colour)) << old << " " << colour << " " << weight;
                EXPECT_LE(result, std::max(old, colour)) << old << " " << colour << " " << weight;
            }
        }
    }
}

}  // namespace
}  // namespace lumetra
