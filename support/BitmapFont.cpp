// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/BitmapFont.h"

#include <cstddef>

namespace lumetra {

namespace {

// Reads the character starting at text[pos] and advances pos past it. A byte that does not
// start a well-formed UTF-8 sequence (stray continuation byte, truncated or overlong sequence,
// surrogate, beyond U+10FFFF) is taken alone and gives 0, which no glyph carries.
char32_t nextCodePoint(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    ++pos;
    if (lead < 0x80) {
        return lead;
    }
    int extra = 0;
    char32_t code = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        code = lead & 0x1F;
        minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        code = lead & 0x0F;
        minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        code = lead & 0x07;
        minimum = 0x10000;
    } else {
        return 0;
    }
    if (pos + static_cast<std::size_t>(extra) > text.size()) {
        return 0;
    }
    for (int i = 0; i < extra; ++i) {
        const auto next = static_cast<unsigned char>(text[pos + static_cast<std::size_t>(i)]);
        if ((next & 0xC0) != 0x80) {
            return 0;
        }
        code = (code << 6) | (next & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return 0;
    }
    pos += static_cast<std::size_t>(extra);
    return code;
}

}  // namespace

int textWidth(std::string_view utf8Text) {
    int width = 0;
    std::size_t pos = 0;
    while (pos < utf8Text.size()) {
        if (width > 0) {
            width += kGlyphSpacing;
        }
        width += glyphFor(nextCodePoint(utf8Text, pos)).width;
    }
    return width;
}

void stampPixel(Image24& image, int x, int y, Rgb colour) {
    // A stamp more than one pixel outside leaves no trace; returning early also keeps x ± 1
    // and y ± 1 from overflowing at the ends of the int range.
    if (x < -1 || y < -1 || x > image.width() || y > image.height()) {
        return;
    }
    image.blendPixel(x, y, colour, 20);
    image.blendPixel(x, y - 1, colour, 2);
    image.blendPixel(x - 1, y, colour, 2);
    image.blendPixel(x + 1, y, colour, 2);
    image.blendPixel(x, y + 1, colour, 2);
    image.blendPixel(x - 1, y - 1, colour, 1);
    image.blendPixel(x + 1, y - 1, colour, 1);
    image.blendPixel(x - 1, y + 1, colour, 1);
    image.blendPixel(x + 1, y + 1, colour, 1);
}

void drawText(Image24& image, int centreX, int top, std::string_view utf8Text, Rgb colour) {
    // 64-bit positions: a text far outside the image is simply clipped, never overflows.
    long long left = static_cast<long long>(centreX) - textWidth(utf8Text) / 2;
    std::size_t pos = 0;
    while (pos < utf8Text.size()) {
        const Glyph& glyph = glyphFor(nextCodePoint(utf8Text, pos));
        for (int row = 0; row < kFontCellHeight; ++row) {
            const std::uint16_t bits = glyph.rows[static_cast<std::size_t>(row)];
            if (bits == 0) {
                continue;
            }
            const long long y = static_cast<long long>(top) + row;
            for (int column = 0; column < glyph.width; ++column) {
                if ((bits >> column) & 1u) {
                    const long long x = left + column;
                    // The stamp reaches one pixel beyond its centre; farther out nothing shows.
                    if (x >= -1 && y >= -1 && x <= image.width() && y <= image.height()) {
                        stampPixel(image, static_cast<int>(x), static_cast<int>(y), colour);
                    }
                }
            }
        }
        left += glyph.width + kGlyphSpacing;
    }
}

}  // namespace lumetra
