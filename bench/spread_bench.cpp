// SPDX-License-Identifier: GPL-3.0-or-later
// Cost of the spread of 30 simulated homes on one thread: each home's year and its balance at
// the household's battery and at every size of the battery sizing curve.
#include <benchmark/benchmark.h>

#include <string>

#include "evaluation/HourlyInput.h"
#include "evaluation/Spread.h"
#include "simulation/ClimateTables.h"

namespace lumetra::evaluation {
namespace {

SpreadRequest berlinRequest() {
    DataSearch search;
    search.buildDataDir = LUMETRA_DATA_DIR;
    std::string error;
    simulation::SimulationInput input;
    input.latitude_deg = 52.52;
    input.longitude_deg = 13.41;
    input.annualIrradiation_kWh_per_m2 = 1092;
    input.planes = {{4.0, 0.0, 35.0}};
    input.systemLosses_fraction = 0.10;
    input.demand.household_kWh = 4000;
    input.demand.householdLoad.persons = 3;
    const EvaluationInputs inputs;
    return {hourlyInput(input, inputs, nullptr), inputs,
            simulation::loadClimateTables(search, &error)};
}

void BM_Spread30Homes(benchmark::State& state) {
    const SpreadRequest request = berlinRequest();
    for (auto _ : state) {
        benchmark::DoNotOptimize(computeSpread(request, kSpreadHomes));
    }
}
BENCHMARK(BM_Spread30Homes)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lumetra::evaluation

BENCHMARK_MAIN();
