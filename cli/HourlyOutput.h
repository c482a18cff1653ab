// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QJsonObject>

#include <memory>
#include <string>
#include <vector>

#include "simulation/ClimateTables.h"
#include "simulation/HourlyBalance.h"

namespace lumetra::cli {

// The hourly balance as the JSON object under "hourly": {"annual": {...}, "monthly": {...}},
// the monthly object with the annual object's flow keys and twelve numbers each. The annual
// object also says which weather year was used ("weather": "synthetic" or "imported") and its
// global horizontal irradiation ("irradiation_kWh_per_m2").
QJsonObject hourlyJson(const simulation::HourlyResult& result);

// The weather year of the command line's hourly balance: the file `path` names (--weather, or
// the one the last data file names); nothing for an empty path, the synthesized year. A file
// that cannot be read adds a message and gives nothing; one far from the site (latitude,
// longitude) adds a warning.
std::shared_ptr<const simulation::WeatherFile> commandLineWeather(
    const std::string& path, double latitude_deg, double longitude_deg,
    std::vector<std::string>& messages);

}  // namespace lumetra::cli
