// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QJsonObject>

#include <memory>
#include <string>

#include "persistence/DataSearch.h"
#include "simulation/ClimateTables.h"
#include "simulation/HourlyBalance.h"

namespace lumetra::cli {

// Where the command-line tool looks for its data files: the current folder, the copy installed
// beside the program (../share/lumetra from the program's folder), the source tree's data/.
lumetra::DataSearch cliDataSearch();

// The hourly balance as the JSON object under "hourly": {"annual": {...}, "monthly": {...}},
// the monthly object with the annual object's keys and twelve numbers each.
QJsonObject hourlyJson(const simulation::HourlyResult& result);

}  // namespace lumetra::cli
