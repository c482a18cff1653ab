// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace lumetra::evaluation {

// Numbers as German readers expect them in the Auswertung window and its report: a decimal
// comma and a dot between groups of three integer digits from four digits on ("4.500",
// "1.234,5", "-0,25"). Rounded to the nearest shown digit; a result that rounds to zero has no
// sign. A value that is not finite shows as kNoFigure. Independent of the C library's locale.
std::string formatGerman(double value, int decimals);

// A fraction 0..1 as a percentage with a blank before the sign: 0.364 with 0 decimals gives
// "36 %".
std::string formatGermanPercent(double fraction, int decimals);

// A figure with its unit after one blank: formatWithUnit(4500, 0, "kWh") gives "4.500 kWh".
std::string formatWithUnit(double value, int decimals, std::string_view unit);

// What stands where there is no figure (no battery, no payback within the years).
inline constexpr std::string_view kNoFigure = "–";

}  // namespace lumetra::evaluation
