// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace lumetra {

// The ASCII digits '0'..'9' and nothing else, whatever the locale (std::isdigit depends on it
// and is undefined for negative plain chars). Bytes of UTF-8 or Windows-1252 are never digits.
constexpr bool isDigit(int c) {
    return c >= '0' && c <= '9';
}

}  // namespace lumetra
