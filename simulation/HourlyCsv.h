// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>
#include <string>

#include "simulation/HourlyBalance.h"

namespace lumetra::simulation {

// The steps of a result as CSV (UTF-8, LF, comma-separated, decimal point): a header line,
// then one line per quarter hour of the reference year (35,040). The first column is the
// step's start in ISO 8601 local standard time with its offset ("2025-01-01T00:00+01:00");
// the others are the energies of the step in kWh, named in the header: yield_kWh,
// demand_kWh, direct_kWh, batteryCharge_kWh, batteryDischarge_kWh, feedIn_kWh,
// purchase_kWh, and stateOfCharge_kWh (stored energy at the step's end).
std::string hourlyCsv(const HourlyResult& result);
void writeHourlyCsv(const HourlyResult& result, std::ostream& out);

}  // namespace lumetra::simulation
