#pragma once

#include "model/CalculatorState.h"
#include "support/Image24.h"

namespace lumetra {

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
