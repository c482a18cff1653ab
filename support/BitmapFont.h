// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "support/Image24.h"
#include "support/Rgb.h"

namespace lumetra {

// Lumetra's own small bitmap font: cells 14 pixels high, glyphs of varying width followed by
// one blank column (digits are 5 columns of ink, so 6 pixels wide including the spacing).
// Capitals and digits stand on rows 2..10 of the cell, small letters on rows 5..10 with
// descenders to row 12; the dots of Ä, Ö and Ü sit on row 0. It covers the printable ASCII
// characters and ä ö ü Ä Ö Ü ß °; any other character is drawn as a hollow box.
inline constexpr int kFontCellHeight = 14;
inline constexpr int kGlyphSpacing = 1;

// The ink of one glyph: rows[r] has bit c set when column c (0 = left) of cell row r is inked.
struct Glyph {
    char32_t code = 0;
    int width = 0;  // columns of ink, without the spacing
    std::array<std::uint16_t, kFontCellHeight> rows{};
};

// Whether the font has a glyph of its own for code.
bool hasGlyph(char32_t code);

// The glyph of code, or the hollow box for a character the font lacks.
const Glyph& glyphFor(char32_t code);

// Width in pixels of the ink extent of a UTF-8 text: the widths of its glyphs plus the spacing
// between them (not after the last one). 0 for an empty text. A byte that is not valid UTF-8
// counts as one unknown character.
int textWidth(std::string_view utf8Text);

// Lays down one inked pixel as the soft 3 x 3 stamp: (x, y) takes 20/32 of colour, its four
// direct neighbours 2/32 and its four diagonal neighbours 1/32, each blended into what is
// already there (Image24::blendPixel). Clipped to the image.
void stampPixel(Image24& image, int x, int y, Rgb colour);

// Draws a UTF-8 text without background, its ink extent centred on centreX (the left edge is
// centreX - textWidth / 2) and the top of its cells on row top. Every inked pixel is laid down
// with stampPixel, glyph by glyph from left to right and within a glyph row by row from the
// top, each row from the left, so overlapping stamps blend one after the other.
void drawText(Image24& image, int centreX, int top, std::string_view utf8Text, Rgb colour);

}  // namespace lumetra
