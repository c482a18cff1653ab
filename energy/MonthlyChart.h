// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/CalculatorState.h"
#include "support/Image24.h"

namespace lumetra {

// The window's chart area is 200 x 75 dialog units. In the font the dialog templates were laid
// out in (base units 6 x 13 pixels) that is 300 x 122 pixels: the size the command line draws
// unless told otherwise. The window measures its own font, so on screen the area may differ.
inline constexpr int kChartAreaWidthDu = 200;
inline constexpr int kChartAreaHeightDu = 75;
inline constexpr int kTemplateBaseUnitX = 6;
inline constexpr int kTemplateBaseUnitY = 13;
// x px = du x base / 4, y px = du x base / 8, rounded half up.
inline constexpr int kDefaultChartWidth = (kChartAreaWidthDu * kTemplateBaseUnitX + 2) / 4;
inline constexpr int kDefaultChartHeight = (kChartAreaHeightDu * kTemplateBaseUnitY + 4) / 8;
static_assert(kDefaultChartWidth == 300 && kDefaultChartHeight == 122);

// Renders the monthly bar chart of the installation's year into a width x height image (the
// chart area of the main dialog, about 300 x 122 pixels): white background, the month names
// in grey along the top, for each month a blue yield bar, a green self-use bar over it, a red
// demand mark (dark red on the top row of the plot when the demand is off the scale) and the
// yield in kWh as a number underneath, and grey axes. Reads monthlyYield, monthlySelfUse,
// monthlyConsumption, maxMonthlyYield and maxMonthlyConsumption. A width or height below 1
// gives an empty image; a size too small for the layout draws what fits. Like Image24, throws
// std::length_error when width x height exceeds Image24::kMaxPixels.
Image24 drawMonthlyChart(const MonthlyFigures& figures, int width, int height);

}  // namespace lumetra
