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
    using namespace lumetra;
    const auto& v = state.values;
    SimulationInput input;
    input.latitude_deg = finiteOrZero(v[Latitude]);
    input.longitude_deg = finiteOrZero(v[Longitude]);
    input.annualIrradiation_kWh_per_m2 = finiteOrZero(v[AnnualIrradiation]);
    input.systemLosses_fraction = std::clamp(finiteOrZero(v[SystemLosses]) / 100.0, 0.0, 1.0);

    const double powerPerArea_W = finiteOrZero(v[PowerPerArea]);
    for (RowHandle row = table.firstRow(); row != kNoRow; row = table.nextRow(row)) {
        if (row == state.placeholderRow) {
            continue;
        }
        const double area = readCellValue(table.cellText(row, ColumnArea));
        const double peak_kWp = area * powerPerArea_W / 1000.0;
        if (!std::isfinite(peak_kWp) || peak_kWp <= 0) {
            continue;
        }
        PlaneInput plane;
        plane.peakPower_kWp = peak_kWp;
        plane.azimuth_deg = finiteOrZero(readCellValue(table.cellText(row, ColumnAzimuth)));
        plane.tilt_deg = finiteOrZero(readCellValue(table.cellText(row, ColumnTilt)));
        input.planes.push_back(plane);
    }

    input.household_kWh = finiteOrZero(v[HouseholdElectricity]);
    input.hotWater_kWh = finiteOrZero(v[WaterElectricity]);
    input.heating_kWh = finiteOrZero(v[HeatingElectricity]);
    input.cooling_kWh = finiteOrZero(v[CoolingElectricity]);
    input.car_kWh = finiteOrZero(v[CarElectricity]);
    input.batteryCapacity_kWh = std::max(0.0, finiteOrZero(v[StorageCapacity]));
    input.electricityPrice_EUR_per_kWh = finiteOrZero(v[ElectricityPrice]);
    input.feedInTariff_EUR_per_kWh = finiteOrZero(v[FeedInTariff]);
    return input;
}

}  // namespace lumetra::simulation
