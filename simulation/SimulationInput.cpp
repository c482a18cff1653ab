// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/SimulationInput.h"

#include <algorithm>
#include <cmath>

#include "energy/ModuleFieldColumns.h"
#include "energy/ModuleFieldRules.h"

namespace lumetra::simulation {

namespace {

double finiteOrZero(double value) {
    return std::isfinite(value) ? value : 0.0;
}

}  // namespace

SimulationInput simulationInputFrom(const lumetra::CalculatorState& state,
                                    const lumetra::ModuleFieldTable& table) {
    SimulationInputReader reader;
    return reader.read(state, table);
}

SimulationInput SimulationInputReader::read(const lumetra::CalculatorState& state,
                                            const lumetra::ModuleFieldTable& table) {
    using namespace lumetra;
    const auto readRow = [&table](RowHandle row) {
        return RowCells{readCellValue(table.cellText(row, ColumnArea)),
                        readCellValue(table.cellText(row, ColumnAzimuth)),
                        readCellValue(table.cellText(row, ColumnTilt))};
    };
    rows_.refresh(table, readRow);
    std::size_t rowCount = 0;

    const auto& v = state.values;
    SimulationInput input;
    input.latitude_deg = finiteOrZero(v[Latitude]);
    input.longitude_deg = finiteOrZero(v[Longitude]);
    input.annualIrradiation_kWh_per_m2 = finiteOrZero(v[AnnualIrradiation]);
    input.systemLosses_fraction = std::clamp(finiteOrZero(v[SystemLosses]) / 100.0, 0.0, 1.0);

    const double powerPerArea_W = finiteOrZero(v[PowerPerArea]);
    for (RowHandle row = table.firstRow(); row != kNoRow; row = table.nextRow(row)) {
        ++rowCount;
        if (row == state.placeholderRow) {
            continue;
        }
        const RowCells& cells = rows_[row];
        const double peak_kWp = cells.area * powerPerArea_W / 1000.0;
        if (!std::isfinite(peak_kWp) || peak_kWp <= 0) {
            continue;
        }
        PlaneInput plane;
        plane.peakPower_kWp = peak_kWp;
        plane.azimuth_deg = finiteOrZero(cells.azimuth);
        plane.tilt_deg = finiteOrZero(cells.tilt);
        input.planes.push_back(plane);
    }
    rows_.dropDeletedRows(rowCount);

    input.demand.household_kWh = finiteOrZero(v[HouseholdElectricity]);
    input.demand.hotWater_kWh = finiteOrZero(v[WaterElectricity]);
    input.demand.heating_kWh = finiteOrZero(v[HeatingElectricity]);
    input.demand.cooling_kWh = finiteOrZero(v[CoolingElectricity]);
    input.demand.car_kWh = finiteOrZero(v[CarElectricity]);
    input.demand.householdLoad.persons = finiteOrZero(v[Persons]);
    input.batteryCapacity_kWh = std::max(0.0, finiteOrZero(v[StorageCapacity]));
    input.electricityPrice_EUR_per_kWh = finiteOrZero(v[ElectricityPrice]);
    input.feedInTariff_EUR_per_kWh = finiteOrZero(v[FeedInTariff]);
    return input;
}

}  // namespace lumetra::simulation
