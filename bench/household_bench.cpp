// SPDX-License-Identifier: GPL-3.0-or-later
// Cost of the household's load: one simulated home's year (occupancy, lights, appliances,
// calibration, one-minute steps to quarter hours), reading the shipped household tables, and
// importing a measured year of quarter hours.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include "simulation/ClimateTables.h"
#include "simulation/WeatherYear.h"
#include "simulation/household/HouseholdSimulation.h"
#include "simulation/measured/CivilTime.h"
#include "simulation/measured/MeasuredLoad.h"

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
        const auto tables = loadHouseholdTables(search, &error);
        if (!tables) {
            state.SkipWithError(error.c_str());
            break;
        }
        benchmark::DoNotOptimize(tables.get());
    }
}
BENCHMARK(BM_HouseholdTablesLoad)->Unit(benchmark::kMillisecond);

// A meter's export of 2024 in German layout: 35,136 quarter hours on the clock with summer
// time (29 February dropped on import).
void BM_MeasuredLoadImport15Min(benchmark::State& state) {
    std::string text = "Zeitstempel;Verbrauch [kWh]\n";
    const std::int64_t first = daysFromCivil({2024, 1, 1}) * 1440;
    const SummerTime summer = europeanSummerTime(2024);
    for (std::int64_t m = first; m < first + 366 * 1440; m += 15) {
        const bool inSummer = m - 60 >= summer.begin_utc && m - 60 < summer.end_utc;
        text +=
            germanDateTime(m + (inSummer ? 60 : 0)) + ";0," + std::to_string(100 + m % 311) + "\n";
    }
    for (auto _ : state) {
        std::string error;
        const auto load = readMeasuredLoad(text, {2025, 60}, {}, &error);
        if (!load) {
            state.SkipWithError(error.c_str());
            break;
        }
        benchmark::DoNotOptimize(load->annual_kWh);
    }
    state.counters["lines"] = 35'136;
}
BENCHMARK(BM_MeasuredLoadImport15Min)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lumetra::simulation

BENCHMARK_MAIN();
