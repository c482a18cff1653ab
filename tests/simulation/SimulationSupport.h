// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "simulation/ClimateTables.h"
#include "simulation/HourlyBalance.h"

namespace lumetra::test {

// The climate tables shipped in data/, read once per test program.
inline std::shared_ptr<const simulation::ClimateTables> shippedClimate() {
    static const std::shared_ptr<const simulation::ClimateTables> tables = [] {
        const std::filesystem::path data(LUMETRA_DATA_DIR);
        std::string error;
        auto loaded = simulation::loadClimateTables(
            data / simulation::kIrradiationFileName, data / simulation::kTemperatureFileName,
            data / simulation::kLoadProfileFileName, &error);
        EXPECT_TRUE(loaded) << error;
        return loaded;
    }();
    return tables;
}

// Berlin (52.52 N, 13.41 E, 1092 kWh/m²), a 4,000 kWh household, 5 kWp south at 35 degrees,
// 10 % system losses, no battery.
inline simulation::SimulationInput berlinHousehold() {
    simulation::SimulationInput input;
    input.latitude_deg = 52.52;
    input.longitude_deg = 13.41;
    input.annualIrradiation_kWh_per_m2 = 1092;
    input.planes = {{5.0, 0.0, 35.0}};
    input.systemLosses_fraction = 0.10;
    input.demand.household_kWh = 4000;
    input.electricityPrice_EUR_per_kWh = 0.35;
    input.feedInTariff_EUR_per_kWh = 0.08;
    return input;
}

}  // namespace lumetra::test
