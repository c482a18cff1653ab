// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/CalculatorState.h"
#include "model/ModuleFieldRowCache.h"
#include "model/ModuleFieldTable.h"
#include "simulation/HourlyBalance.h"

namespace lumetra::simulation {

// The inputs of the hourly balance from the value store and the module-field rows, read only:
// the rows as the table shows them (peak power = area x PowerPerArea, azimuth and tilt from
// their cells; the placeholder row and rows without power are left out), SystemLosses from
// percent to a fraction, the battery from StorageCapacity, the prices in euros per kWh (the
// fields hold euros per kWh), the simulated home's size from "Personen im Haushalt" of the
// household electricity (Persons).
SimulationInput simulationInputFrom(const lumetra::CalculatorState& state,
                                    const lumetra::ModuleFieldTable& table);

// The same, read again and again from one table: each read parses only the rows changed since
// the one before (the table's change count tells which), so that a refresh tick with thousands
// of rows does not read every cell.
class SimulationInputReader {
  public:
    SimulationInput read(const lumetra::CalculatorState& state,
                         const lumetra::ModuleFieldTable& table);

  private:
    struct RowCells {
        double area = 0;
        double azimuth = 0;
        double tilt = 0;
    };
    lumetra::ChangedRowValues<RowCells> rows_;
};

}  // namespace lumetra::simulation
