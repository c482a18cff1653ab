// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "model/CalculatorState.h"

namespace lumetra::cli {

// Draws the monthly chart and writes it as a PNG file, replacing the file by the rule of
// writeFileReplacing (never in place); false when the file cannot be written.
bool writeChartPng(const MonthlyFigures& figures, int width, int height, const std::string& path);

}  // namespace lumetra::cli
