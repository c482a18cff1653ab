#pragma once

#include <string>
#include <utility>

#include "model/CalculatorState.h"

namespace lumetra::cli {

// The pixel size of the window's chart area: 200 x 75 dialog units of the dialog font. Needs a
// QGuiApplication (for the fonts).
std::pair<int, int> windowChartSize();

// Draws the monthly chart and writes it as a PNG file, replacing the file by the rule of
// writeFileReplacing (never in place); false when the file cannot be written.
bool writeChartPng(const MonthlyFigures& figures, int width, int height, const std::string& path);

}  // namespace lumetra::cli
