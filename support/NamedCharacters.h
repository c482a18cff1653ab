// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace lumetra {

// Texts are UTF-8 in memory. The few characters with a meaning of their own are named here
// once and used by name everywhere, tests included.

// The no-break space that separates the label of a preset text from its value,
// "(Westen)" + kNoBreakSpace + "  90°". Byte 0xA0 in Windows-1252.
inline constexpr std::string_view kNoBreakSpace = "\u00A0";

// The blank that separates digit groups in field texts and in the "F" conversion.
inline constexpr char kGroupingBlank = ' ';

// The degree sign of angles and of the preset texts. Byte 0xB0 in Windows-1252.
inline constexpr std::string_view kDegreeSign = "\u00B0";

}  // namespace lumetra
