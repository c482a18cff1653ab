// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace lumetra {

// The text form of a value in its edit field: an optional "-", the integer part with one
// blank before the last 3, 6, 9 and 12 digits, and with decimals d >= 1 a "." and exactly d
// fraction digits. Decimals below 0 count as 0, above 9 as 9.

// Reads a field text as the user typed it: blanks are skipped, the first "-" makes the value
// negative wherever it stands, "." or "," starts the fraction, fraction digits beyond d are
// cut (not rounded), and anything else ends the number ("12abc" is 12, "abc" and "" are 0).
// Only the first 31 characters count. Integer parts are not limited to 32 bits: they are
// accumulated in a double. The non-finite texts "1.#INF" and "1.#NAN" read, by these rules,
// as the finite number 1.
double readFieldText(std::string_view text, int decimals);

// Writes a value: the magnitude is scaled by 10^d, 0.4999999 is added and the result is cut,
// so an exact half rounds toward zero (2.5 with d = 0 gives "2"). Magnitudes too large for a
// 64-bit count of the last digit are written from their exact decimal digits. A value that is
// not finite shows as "1.#INF" or "1.#NAN" after its sign, as the formatting engine prints it.
std::string formatFieldText(double value, int decimals);

// The same without allocating for every value a field can sensibly hold: the text lands in
// `buffer` and the returned view points into it.
struct FieldTextBuffer {
    std::array<char, 400> chars{};
};
std::string_view formatFieldText(double value, int decimals, FieldTextBuffer& buffer);

}  // namespace lumetra
