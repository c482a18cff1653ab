// SPDX-License-Identifier: GPL-3.0-or-later
// Cost of the hourly energy balance: the whole reference year from a new site (nothing
// cached), synthesized and from an imported weather year, and after a change that leaves the
// weather year cached (an orientation, a roof's size, a demand, the battery); reading a weather
// file. The memory counter is what one balance instance holds.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include "simulation/ClimateTables.h"
#include "simulation/HourlyBalance.h"
#include "simulation/HourlyCsv.h"
#include "simulation/weather/WeatherFile.h"

namespace lumetra::simulation {
namespace {

std::shared_ptr<const ClimateTables> shippedTables() {
    static const std::shared_ptr<const ClimateTables> tables = [] {
        const std::filesystem::path data(LUMETRA_DATA_DIR);
        std::string error;
        return loadClimateTables(data / kIrradiationFileName, data / kTemperatureFileName,
                                 data / kLoadProfileFileName, &error);
    }();
    return tables;
}

// Three module fields (south, east, west), a household with a heat pump and a car, a battery.
SimulationInput threeFieldsAndBattery() {
    SimulationInput input;
    input.latitude_deg = 52.52;
    input.longitude_deg = 13.41;
    input.annualIrradiation_kWh_per_m2 = 1092;
    input.planes = {{5.0, 0, 35}, {3.0, -90, 30}, {3.0, 90, 30}};
    input.systemLosses_fraction = 0.1;
    input.demand.household_kWh = 4000;
    input.demand.hotWater_kWh = 800;
    input.demand.heating_kWh = 3500;
    input.demand.car_kWh = 2000;
    input.batteryCapacity_kWh = 8;
    input.electricityPrice_EUR_per_kWh = 0.35;
    input.feedInTariff_EUR_per_kWh = 0.08;
    return input;
}

void setMemoryCounter(benchmark::State& state, const HourlyBalance& balance) {
    state.counters["memory_MiB"] = static_cast<double>(balance.memoryBytes()) / (1024.0 * 1024.0);
}

// Each iteration moves the site by a hair, so the weather year, the planes and the demand
// are all computed anew.
void BM_HourlyYearNewSite(benchmark::State& state) {
    HourlyBalance balance(shippedTables());
    SimulationInput input = threeFieldsAndBattery();
    int i = 0;
    for (auto _ : state) {
        input.latitude_deg = 52.52 + 1e-6 * (++i % 2);
        benchmark::DoNotOptimize(balance.run(input).annual.selfSufficiency);
    }
    setMemoryCounter(state, balance);
}
BENCHMARK(BM_HourlyYearNewSite)->Unit(benchmark::kMillisecond);

// PVGIS's typical year for 45.0 N, 8.0 E (tests/data/weather/).
std::filesystem::path weatherSample(const char* extension) {
    return std::filesystem::path(LUMETRA_WEATHER_DIR) /
           (std::string("pvgis-tmy_45.000_8.000_2005_2023.") + extension);
}

// The same year of three fields with PVGIS's typical year in place of the synthesized one.
void BM_HourlyYearNewSiteImportedWeather(benchmark::State& state) {
    HourlyBalance balance(shippedTables());
    SimulationInput input = threeFieldsAndBattery();
    std::string error;
    input.weather = std::make_shared<const WeatherFile>(
        readWeatherFile(weatherSample("csv"), &error).value_or(WeatherFile{}));
    int i = 0;
    for (auto _ : state) {
        input.latitude_deg = 52.52 + 1e-6 * (++i % 2);
        benchmark::DoNotOptimize(balance.run(input).annual.selfSufficiency);
    }
    setMemoryCounter(state, balance);
}
BENCHMARK(BM_HourlyYearNewSiteImportedWeather)->Unit(benchmark::kMillisecond);

void BM_WeatherFileRead(benchmark::State& state, const char* extension) {
    const std::filesystem::path path = weatherSample(extension);
    for (auto _ : state) {
        std::string error;
        benchmark::DoNotOptimize(readWeatherFile(path, &error));
    }
}
BENCHMARK_CAPTURE(BM_WeatherFileRead, PvgisCsv, "csv")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WeatherFileRead, Epw, "epw")->Unit(benchmark::kMillisecond);

void BM_HourlyYearNewOrientation(benchmark::State& state) {
    HourlyBalance balance(shippedTables());
    SimulationInput input = threeFieldsAndBattery();
    int i = 0;
    for (auto _ : state) {
        input.planes[0].tilt_deg = 35 + 1e-3 * (++i % 1000);  // never a cached orientation
        benchmark::DoNotOptimize(balance.run(input).annual.selfSufficiency);
    }
}
BENCHMARK(BM_HourlyYearNewOrientation)->Unit(benchmark::kMillisecond);

void BM_HourlyYearNewRoofSize(benchmark::State& state) {
    HourlyBalance balance(shippedTables());
    SimulationInput input = threeFieldsAndBattery();
    int i = 0;
    for (auto _ : state) {
        input.planes[0].peakPower_kWp = 5 + 0.01 * (++i % 2);
        benchmark::DoNotOptimize(balance.run(input).annual.selfSufficiency);
    }
}
BENCHMARK(BM_HourlyYearNewRoofSize)->Unit(benchmark::kMillisecond);

void BM_HourlyYearNewDemand(benchmark::State& state) {
    HourlyBalance balance(shippedTables());
    SimulationInput input = threeFieldsAndBattery();
    int i = 0;
    for (auto _ : state) {
        input.demand.household_kWh = 4000 + (++i % 2);
        benchmark::DoNotOptimize(balance.run(input).annual.selfSufficiency);
    }
}
BENCHMARK(BM_HourlyYearNewDemand)->Unit(benchmark::kMillisecond);

// The tables with the simulated home's (the default household load).
std::shared_ptr<const ClimateTables> tablesWithHomes() {
    static const std::shared_ptr<const ClimateTables> tables = [] {
        DataSearch search;
        search.buildDataDir = LUMETRA_DATA_DIR;
        std::string error;
        return loadClimateTables(search, &error);
    }();
    return tables;
}

// A changed household figure: the simulated home's year is simulated anew.
void BM_HourlyYearSimulatedHomeNewDemand(benchmark::State& state) {
    HourlyBalance balance(tablesWithHomes());
    SimulationInput input = threeFieldsAndBattery();
    input.demand.householdLoad.persons = 3;
    int i = 0;
    for (auto _ : state) {
        input.demand.household_kWh = 4000 + (++i % 2);
        benchmark::DoNotOptimize(balance.run(input).annual.selfSufficiency);
    }
}
BENCHMARK(BM_HourlyYearSimulatedHomeNewDemand)->Unit(benchmark::kMillisecond);

// A changed battery: the simulated home's year is kept.
void BM_HourlyYearSimulatedHomeNewBattery(benchmark::State& state) {
    HourlyBalance balance(tablesWithHomes());
    SimulationInput input = threeFieldsAndBattery();
    input.demand.householdLoad.persons = 3;
    int i = 0;
    for (auto _ : state) {
        input.batteryCapacity_kWh = 8 + 0.1 * (++i % 2);
        benchmark::DoNotOptimize(balance.run(input).annual.selfSufficiency);
    }
}
BENCHMARK(BM_HourlyYearSimulatedHomeNewBattery)->Unit(benchmark::kMillisecond);

void BM_HourlyYearNewBattery(benchmark::State& state) {
    HourlyBalance balance(shippedTables());
    SimulationInput input = threeFieldsAndBattery();
    int i = 0;
    for (auto _ : state) {
        input.batteryCapacity_kWh = 8 + 0.1 * (++i % 2);
        benchmark::DoNotOptimize(balance.run(input).annual.selfSufficiency);
    }
}
BENCHMARK(BM_HourlyYearNewBattery)->Unit(benchmark::kMillisecond);

void BM_HourlyCsvText(benchmark::State& state) {
    HourlyBalance balance(shippedTables());
    const HourlyResult& result = balance.run(threeFieldsAndBattery());
    for (auto _ : state) {
        benchmark::DoNotOptimize(hourlyCsv(result).size());
    }
}
BENCHMARK(BM_HourlyCsvText)->Unit(benchmark::kMillisecond);

void BM_ClimateTablesLoad(benchmark::State& state) {
    const std::filesystem::path data(LUMETRA_DATA_DIR);
    for (auto _ : state) {
        std::string error;
        benchmark::DoNotOptimize(loadClimateTables(data / kIrradiationFileName,
                                                   data / kTemperatureFileName,
                                                   data / kLoadProfileFileName, &error));
    }
}
BENCHMARK(BM_ClimateTablesLoad)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lumetra::simulation

BENCHMARK_MAIN();
