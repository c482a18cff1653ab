// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/BitmapFont.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "support/NamedCharacters.h"

namespace lumetra {
namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kBlue{0, 0, 222};

// The columns and rows of the pixels that differ from the background.
struct InkBounds {
    int left = INT_MAX;
    int right = INT_MIN;
    int top = INT_MAX;
    int bottom = INT_MIN;
    int count = 0;
};

InkBounds inkBounds(const Image24& image, Rgb background) {
    InkBounds bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != background) {
                bounds.left = std::min(bounds.left, x);
                bounds.right = std::max(bounds.right, x);
                bounds.top = std::min(bounds.top, y);
                bounds.bottom = std::max(bounds.bottom, y);
                ++bounds.count;
            }
        }
    }
    return bounds;
}

bool samePixels(const Image24& a, const Image24& b) {
    if (a.width() != b.width() || a.height() != b.height()) {
        return false;
    }
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y)) {
                return false;
            }
        }
    }
    return true;
}

Image24 drawn(std::string_view text, int centreX = 50, int top = 2) {
    Image24 image(100, 20, kWhite);
    drawText(image, centreX, top, text, kBlack);
    return image;
}

TEST(BitmapFontStamp, OneInkedPixelOnWhiteGivesThreeShades) {
    Image24 image(5, 5, kWhite);
    stampPixel(image, 2, 2, kBlue);
    // centre 20/32, direct neighbours 2/32, diagonal ones 1/32 of the way to (0, 0, 222)
    const Rgb centre{96, 96, 234};
    const Rgb direct{239, 239, 253};
    const Rgb diagonal{247, 247, 254};
    const std::vector<std::string> expected = {"wwwww", "wdcdw", "wcCcw", "wdcdw",
                                               "wwwww"};  // C centre, c direct, d diagonal
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 5; ++x) {
            const char kind = expected[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
            const Rgb want = kind == 'C'   ? centre
                             : kind == 'c' ? direct
                             : kind == 'd' ? diagonal
                                           : kWhite;
            EXPECT_EQ(image.pixel(x, y), want) << x << "," << y;
        }
    }
}

TEST(BitmapFontStamp, NeighbouringStampsBlendOneAfterTheOther) {
    Image24 image(6, 5, kWhite);
    stampPixel(image, 2, 2, kBlack);
    stampPixel(image, 3, 2, kBlack);
    const struct {
        const char* name;
        int x, y;
        std::uint8_t expected;
    } cases[] = {
        {"first centre, then direct of the second: 96 - 6", 2, 2, 90},
        {"direct of the first, then its own centre: 239 - 149", 3, 2, 90},
        {"direct of the first, then diagonal of the second: 239 - 7", 2, 1, 232},
        {"diagonal of the first, then direct of the second: 247 - 15", 3, 1, 232},
        {"only diagonal of the first", 1, 1, 247},
        {"only direct of the first", 1, 2, 239},
        {"only direct of the second", 4, 2, 239},
        {"only diagonal of the second", 4, 3, 247},
        {"untouched beyond the stamps", 5, 2, 255},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(image.pixel(c.x, c.y), (Rgb{c.expected, c.expected, c.expected}));
    }
}

TEST(BitmapFontStamp, IsClippedAtTheImageEdges) {
    const struct {
        const char* name;
        int x, y;
        int changed;
    } cases[] = {
        {"top left corner", 0, 0, 4},
        {"bottom right corner", 2, 2, 4},
        {"left edge", 0, 1, 6},
        {"just outside on the left", -1, 1, 3},
        {"far outside", INT_MIN, INT_MAX, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Image24 image(3, 3, kWhite);
        stampPixel(image, c.x, c.y, kBlack);
        EXPECT_EQ(inkBounds(image, kWhite).count, c.changed);
    }
}

TEST(BitmapFontGlyphs, CoverPrintableAsciiAndTheGermanExtras) {
    for (char32_t code = U' '; code <= U'~'; ++code) {
        EXPECT_TRUE(hasGlyph(code)) << static_cast<int>(code);
    }
    for (char32_t code : {U'ä', U'ö', U'ü', U'Ä', U'Ö', U'Ü', U'ß', U'°'}) {
        EXPECT_TRUE(hasGlyph(code)) << static_cast<int>(code);
    }
    for (char32_t code : {U'\0', U'\t', U'\x7F', U'€', U'é', char32_t{0x1F600}}) {
        EXPECT_FALSE(hasGlyph(code)) << static_cast<int>(code);
    }
}

TEST(BitmapFontGlyphs, AreAllDistinctAndInkedExceptTheBlank) {
    std::vector<char32_t> codes;
    for (char32_t code = U'!'; code <= U'~'; ++code) {
        codes.push_back(code);
    }
    codes.insert(codes.end(), {U'ä', U'ö', U'ü', U'Ä', U'Ö', U'Ü', U'ß', U'°', U'€'});
    for (std::size_t i = 0; i < codes.size(); ++i) {
        const Glyph& a = glyphFor(codes[i]);
        bool inked = false;
        for (std::uint16_t row : a.rows) {
            inked = inked || row != 0;
        }
        EXPECT_TRUE(inked) << static_cast<int>(codes[i]);
        for (std::size_t k = i + 1; k < codes.size(); ++k) {
            const Glyph& b = glyphFor(codes[k]);
            EXPECT_FALSE(a.width == b.width && a.rows == b.rows)
                << static_cast<int>(codes[i]) << " looks like " << static_cast<int>(codes[k]);
        }
    }
    for (std::uint16_t row : glyphFor(U' ').rows) {
        EXPECT_EQ(row, 0);
    }
}

TEST(BitmapFontGlyphs, DigitsAreFiveColumnsOfInkAndStandOnRowsTwoToTen) {
    for (char32_t digit = U'0'; digit <= U'9'; ++digit) {
        SCOPED_TRACE(static_cast<char>(digit));
        const Glyph& glyph = glyphFor(digit);
        EXPECT_EQ(glyph.width, 5);
        EXPECT_EQ(glyph.rows[1], 0);
        EXPECT_NE(glyph.rows[2], 0);
        EXPECT_NE(glyph.rows[10], 0);
        EXPECT_EQ(glyph.rows[11], 0);
    }
}

TEST(BitmapFontText, WidthCountsInkAndTheSpacingBetweenGlyphs) {
    const struct {
        const char* name;
        std::string_view text;
        int expected;
    } cases[] = {
        {"empty", "", 0},
        {"one digit", "0", 5},
        {"digits advance by six", "0123456789", 59},
        {"minus sign and digits", "-12", 4 + 1 + 5 + 1 + 5},
        {"umlaut is one glyph", "\xC3\xA4", 5},
        {"degree sign", kDegreeSign, 4},
        {"unknown character is a box", "\xE2\x82\xAC", 5},
        {"stray continuation byte is a box", "\x80", 5},
        {"truncated sequence is a box per byte", "0\xC3", 11},
        {"overlong encoding is a box per byte", "\xC0\xAF", 11},
        {"encoded surrogate is a box per byte", "\xED\xA0\x80", 17},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(textWidth(c.text), c.expected);
    }
}

TEST(BitmapFontText, IsCentredOnXWithTheStampReachingOnePixelBeyondTheInk) {
    const struct {
        const char* name;
        std::string_view text;
        int centreX, top;
        int left, right, firstRow, lastRow;
    } cases[] = {
        // "0": ink 5 wide from 50 - 2, rows top + 2 .. top + 10, one more pixel of stamp around
        {"single digit", "0", 50, 2, 47, 53, 3, 13},
        {"four digits, 23 wide from 50 - 11", "1234", 50, 2, 38, 62, 3, 13},
        {"even width leans left: 10 wide from 30 - 5", "-5", 30, 0, 24, 35, 1, 11},
        {"month with descender", "Sep", 50, 2, 41, 59, 3, 15},
        {"month without descender, 17 wide from 20 - 8", "Jan", 20, 2, 11, 29, 3, 13},
        {"umlaut dots on the cell's top row", "\xC3\x84", 50, 2, 47, 53, 1, 13},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const InkBounds bounds = inkBounds(drawn(c.text, c.centreX, c.top), kWhite);
        EXPECT_EQ(bounds.left, c.left);
        EXPECT_EQ(bounds.right, c.right);
        EXPECT_EQ(bounds.top, c.firstRow);
        EXPECT_EQ(bounds.bottom, c.lastRow);
    }
}

TEST(BitmapFontText, DrawsWithoutBackground) {
    const Rgb red{255, 0, 0};
    Image24 image(40, 20, red);
    drawText(image, 20, 2, "0", kBlack);
    // Inside the oval of the zero, two columns away from any ink, the red stays.
    EXPECT_EQ(image.pixel(20, 8), red);
    // Its ink column does change.
    EXPECT_NE(image.pixel(18, 8), red);
}

TEST(BitmapFontText, UnknownCharactersDrawTheBox) {
    EXPECT_TRUE(samePixels(drawn("\xE2\x82\xAC"), drawn("\xFF")));
    EXPECT_FALSE(samePixels(drawn("\xE2\x82\xAC"), drawn("0")));
    EXPECT_FALSE(samePixels(drawn("\xC3\xA4"), drawn("a")));
}

TEST(BitmapFontText, TextPartlyOrWhollyOutsideIsClipped) {
    const struct {
        const char* name;
        int centreX, top;
        bool anyInk;
    } cases[] = {
        {"off the left edge", -2, 2, true},
        {"off the bottom", 50, 15, true},
        {"bottom ink row just above: its stamp reaches row 0", 50, -11, true},
        {"stamp of the bottom ink row just above the image", 50, -12, false},
        {"far above", 50, -20, false},
        {"far right", INT_MAX, 2, false},
        {"far left", INT_MIN, INT_MIN, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const InkBounds bounds = inkBounds(drawn("Dez 1234", c.centreX, c.top), kWhite);
        EXPECT_EQ(bounds.count > 0, c.anyInk);
    }
}

}  // namespace
}  // namespace lumetra
