// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace lumetra {

// The natural order of place names: compares two Windows-1252 texts (bytes, not UTF-8) so that
// numbers inside them sort by value ("Ort2" before "Ort10"), letters with diacritics sort as
// their base letters ("Österreich" like "osterreich"), case is ignored, "_" counts as a blank,
// "/" and "\" come before everything else and "." right after them. A digit run may carry a
// prefix "0x", "0b", "0o" or "0d" for base 16, 2, 8 or 10. A zero byte ends a text.
// Negative when `a` sorts first, 0 when equal, positive when `b` sorts first.
int NaturalCompare(std::string_view a, std::string_view b);

}  // namespace lumetra
