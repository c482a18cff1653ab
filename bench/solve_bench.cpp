// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include <deque>
#include <functional>

#include "bench/BenchSupport.h"
#include "calculator/Calculator.h"
#include "calculator/ModuleFieldEditing.h"
#include "model/MemoryFieldPanel.h"
#include "model/MemoryModuleFieldTable.h"

namespace {

using namespace lumetra;

using Opened = bench::OpenedCalculator;

// One solve from quantity `range(0)`, field reading and writing included; the field values do
// not change between runs, so every run does the same work.
void BM_SolveFrom(benchmark::State& state) {
    Opened opened;
    const auto q = static_cast<QuantityId>(state.range(0));
    for (auto _ : state) {
        opened.calculator.solveFrom(q);
        benchmark::DoNotOptimize(opened.calculator.state().values.data());
    }
    state.SetLabel(std::string(quantityIdentifier(q)));
}
BENCHMARK(BM_SolveFrom)->DenseRange(0, kQuantityCount - 1);

// A keystroke: the text changes, the field reports it and the calculator solves.
void BM_Keystroke(benchmark::State& state) {
    Opened opened;
    opened.fields.setFocusedField(Persons);
    bool odd = false;
    for (auto _ : state) {
        odd = !odd;
        opened.fields.setFieldText(Persons, odd ? "5" : "4");
    }
}
BENCHMARK(BM_Keystroke);

// A "Vorgabe" click and its undo: two toggles per run.
void BM_TogglePresetTwice(benchmark::State& state) {
    Opened opened;
    const auto q = static_cast<QuantityId>(state.range(0));
    for (auto _ : state) {
        opened.calculator.togglePreset(q);
        opened.calculator.togglePreset(q);
    }
    state.SetLabel(std::string(quantityIdentifier(q)));
}
BENCHMARK(BM_TogglePresetTwice)
    ->Arg(ModuleWidth)
    ->Arg(ModuleArea)
    ->Arg(Efficiency)
    ->Arg(WaterElectricity);

void BM_ReadAllFields(benchmark::State& state) {
    Opened opened;
    for (auto _ : state) {
        opened.calculator.readAllFields();
    }
}
BENCHMARK(BM_ReadAllFields);

void BM_WriteAllFieldsUnchanged(benchmark::State& state) {
    Opened opened;
    for (auto _ : state) {
        opened.calculator.writeAllFields();
    }
}
BENCHMARK(BM_WriteAllFieldsUnchanged);

}  // namespace

BENCHMARK_MAIN();
