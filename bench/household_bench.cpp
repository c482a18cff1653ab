// SPDX-License-Identifier: GPL-3.0-or-later
// Cost of the household's load: one simulated home's year (occupancy, lights, appliances,
// calibration, one-minute steps to quarter hours), and reading the shipped household tables.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include "simulation/ClimateTables.h"
#include "simulation/WeatherYear.h"
#include "simulation/household/HouseholdSimulation.h"

namespace lumetra::simulation {
namespace {

lumetra::DataSearch shippedData() {
    lumetra::DataSearch search;
    search.buildDataDir = LUMETRA_DATA_DIR;
    return search;
}

std::shared_ptr<const HouseholdTables> shippedHouseholdTables() {
    static const std::shared_ptr<const HouseholdTables> tables = [] {
        std::string error;
        return loadHouseholdTables(shippedData(), &error);
    }();
    return tables;
}

const WeatherYear& berlinWeather() {
    static const WeatherYear weather = [] {
        std::string error;
        const auto climate = loadClimateTables(shippedData(), &error);
        WeatherYear year;
        buildWeatherYear(*climate, 52.52, 13.41, 1092, year);
        return year;
    }();
    return weather;
}

// Each iteration is another home (another seed) of three persons using 4,000 kWh in Berlin.
void BM_HouseholdYear(benchmark::State& state) {
    const auto tables = shippedHouseholdTables();
    const HouseholdCalendar calendar = referenceHouseholdCalendar();
    const WeatherYear& weather = berlinWeather();
    std::uint64_t seed = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            simulateHouseholdYear(*tables, {3, 4000, ++seed}, calendar, weather.globalHorizontal)
                .data());
    }
}
BENCHMARK(BM_HouseholdYear)->Unit(benchmark::kMillisecond);

void BM_HouseholdTablesLoad(benchmark::State& state) {
    const lumetra::DataSearch search = shippedData();
    for (auto _ : state) {
        std::string error;
        benchmark::DoNotOptimize(loadHouseholdTables(search, &error).get());
    }
}
BENCHMARK(BM_HouseholdTablesLoad)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lumetra::simulation

BENCHMARK_MAIN();
