// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/CalculatorState.h"
#include "model/ModuleFieldTable.h"
#include "simulation/HourlyBalance.h"

namespace lumetra::simulation {

// The inputs of the hourly balance from the value store and the module-field rows, read only:
// the rows as the table shows them (peak power = area x PowerPerArea, azimuth and tilt from
// their cells; the placeholder row and rows without power are left out), SystemLosses from
// percent to a fraction, the battery from StorageCapacity, the prices in euros per kWh (the
// fields hold euros per kWh).
SimulationInput simulationInputFrom(const lumetra::CalculatorState& state,
                                    const lumetra::ModuleFieldTable& table);

}  // namespace lumetra::simulation
