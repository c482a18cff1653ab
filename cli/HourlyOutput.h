// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QJsonObject>

#include <memory>
#include <string>

#include "simulation/ClimateTables.h"
#include "simulation/HourlyBalance.h"

namespace lumetra::cli {

// The hourly balance as the JSON object under "hourly": {"annual": {...}, "monthly": {...}},
// the monthly object with the annual object's keys and twelve numbers each.
QJsonObject hourlyJson(const simulation::HourlyResult& result);

}  // namespace lumetra::cli
