// SPDX-License-Identifier: GPL-3.0-or-later
// Cost of a solve that walks the module-field rows (one runs on every keystroke), and of the
// row formatting done by the refresh tick.
#include <benchmark/benchmark.h>

#include <deque>
#include <functional>
#include <string>

#include "bench/BenchSupport.h"
#include "calculator/Calculator.h"
#include "energy/ModuleFieldColumns.h"
#include "energy/ModuleFieldRules.h"
#include "energy/OrientationFactor.h"
#include "energy/YieldBalance.h"
#include "model/MemoryFieldPanel.h"
#include "model/MemoryModuleFieldTable.h"

namespace lumetra {
namespace {

// An opened calculator whose table holds `rows` fields (the opening one and copies of varied
// size and direction) before the placeholder.
struct OpenedCalculator : bench::OpenedCalculator {
    explicit OpenedCalculator(int rows) { fillRows(rows); }
};

void BM_SolveFromEfficiency(benchmark::State& state) {
    OpenedCalculator opened(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        opened.calculator.solveFrom(Efficiency);
        benchmark::DoNotOptimize(opened.calculator.state().values[AnnualYield]);
    }
    state.counters["rows"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_SolveFromEfficiency)->Arg(1)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

void BM_AnnualYieldRelation(benchmark::State& state) {
    OpenedCalculator opened(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        evaluateAnnualYield(opened.calculator.state(), opened.table, AnnualYield);
        benchmark::DoNotOptimize(opened.calculator.state().values[AnnualYield]);
    }
}
BENCHMARK(BM_AnnualYieldRelation)->Arg(1)->Arg(1000)->Unit(benchmark::kMicrosecond);

void BM_FormatRows(benchmark::State& state) {
    OpenedCalculator opened(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        formatModuleFieldRows(opened.table, opened.calculator.state().placeholderRow);
    }
}
BENCHMARK(BM_FormatRows)->Arg(1000)->Unit(benchmark::kMicrosecond);

void BM_OrientationFactor(benchmark::State& state) {
    double tilt = 0;
    for (auto _ : state) {
        tilt = tilt < 90 ? tilt + 0.7 : 0;
        benchmark::DoNotOptimize(orientationFactor(tilt, 30, 47.1));
    }
}
BENCHMARK(BM_OrientationFactor);

}  // namespace
}  // namespace lumetra

BENCHMARK_MAIN();
