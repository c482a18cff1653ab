// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "simulation/SimulationSupport.h"
#include "simulation/WeatherYear.h"
#include "simulation/household/HouseholdTables.h"

namespace lumetra::test {

// The household tables shipped in data/household/, read once per test program.
inline std::shared_ptr<const simulation::HouseholdTables> shippedHouseholdTables() {
    static const std::shared_ptr<const simulation::HouseholdTables> tables = [] {
        lumetra::DataSearch search;
        search.buildDataDir = LUMETRA_DATA_DIR;
        std::string error;
        auto loaded = simulation::loadHouseholdTables(search, &error);
        EXPECT_TRUE(loaded) << error;
        return loaded;
    }();
    return tables;
}

// Berlin's weather year (52.52 N, 13.41 E, 1092 kWh/m²), read once per test program.
inline const simulation::WeatherYear& berlinWeather() {
    static const simulation::WeatherYear weather = [] {
        simulation::WeatherYear year;
        simulation::buildWeatherYear(*shippedClimate(), 52.52, 13.41, 1092, year);
        return year;
    }();
    return weather;
}

}  // namespace lumetra::test
