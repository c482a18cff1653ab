// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>
#include <string>

#include "simulation/HourlyBalance.h"

namespace lumetra::simulation {

// The layout of the numbers: English (comma-separated, decimal point) or German, as a German
// spreadsheet opens it (semicolon-separated, decimal comma).
enum class CsvFormat { English, German };

// The steps of a result as CSV (UTF-8, LF): a header line, then one line per quarter hour of
// the reference year (35,040). The first column is the step's start in ISO 8601 local standard
// time with its offset ("2025-01-01T00:00+01:00"); the others are the energies of the step in
// kWh, named in the header: yield_kWh, demand_kWh, direct_kWh, batteryCharge_kWh,
// batteryDischarge_kWh, feedIn_kWh, purchase_kWh, stateOfCharge_kWh (stored energy at the
// step's end) and curtailed_kWh (beyond the inverter or the feed-in limit).
std::string hourlyCsv(const HourlyResult& result, CsvFormat format = CsvFormat::English);
void writeHourlyCsv(const HourlyResult& result, std::ostream& out);

}  // namespace lumetra::simulation
