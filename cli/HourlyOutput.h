// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QJsonObject>

#include <string>
#include <vector>

#include "simulation/HourlyBalance.h"

namespace lumetra::evaluation {
class Evaluation;
}

namespace lumetra::cli {

// The hourly balance as the JSON object under "hourly": {"annual": {...}, "monthly": {...}},
// the monthly object with the annual object's flow keys and twelve numbers each. The annual
// object also says which weather year was used ("weather": "synthetic" or "imported") and its
// global horizontal irradiation ("irradiation_kWh_per_m2").
QJsonObject hourlyJson(const simulation::HourlyResult& result);

// The messages of the command line's weather year, which the evaluation read with its inputs
// (--weather, or the file the last data file names): why a file could not be read (the
// synthesized year stands in), or a warning when it lies far from the site.
void addWeatherMessages(const evaluation::Evaluation& evaluation,
                        std::vector<std::string>& messages);

}  // namespace lumetra::cli
