// SPDX-License-Identifier: GPL-3.0-or-later
// Figures of the performance report that no other benchmark measures: loading and saving the
// data file of a 140-row table, and reading and sorting a location database of 10,000 places
// into the names the selection list shows. Generated files live in the temporary folder.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "calculator/Calculator.h"
#include "energy/ModuleFieldColumns.h"
#include "model/MemoryFieldPanel.h"
#include "model/MemoryModuleFieldTable.h"
#include "persistence/DataFile.h"
#include "persistence/LocationDatabase.h"

namespace lumetra {
namespace {

namespace fs = std::filesystem;

constexpr int kTableRows = 140;
constexpr int kPlaces = 10000;

using bench::OpenedCalculator;

fs::path tableFile() {
    const fs::path path = fs::temp_directory_path() / "lumetra-bench-140-rows.lumet";
    OpenedCalculator opened;
    opened.fillRows(kTableRows);
    if (saveDataFile(opened.calculator, path) != DataFileOutcome::Done) {
        return {};
    }
    return path;
}

void BM_DataFileLoad140Rows(benchmark::State& state) {
    const fs::path path = tableFile();
    if (path.empty()) {
        state.SkipWithError("the 140-row data file could not be written");
        return;
    }
    OpenedCalculator opened;
    for (auto _ : state) {
        const DataFileOutcome outcome = loadDataFile(opened.calculator, path);
        opened.drain();
        opened.calculator.refreshTick();
        benchmark::DoNotOptimize(outcome);
    }
    state.counters["rows"] = kTableRows;
}
BENCHMARK(BM_DataFileLoad140Rows)->Unit(benchmark::kMicrosecond);

void BM_DataFileSave140Rows(benchmark::State& state) {
    OpenedCalculator opened;
    opened.fillRows(kTableRows);
    const fs::path path = fs::temp_directory_path() / "lumetra-bench-140-rows-saved.lumet";
    for (auto _ : state) {
        if (saveDataFile(opened.calculator, path) != DataFileOutcome::Done) {
            state.SkipWithError("the data file could not be saved");
            break;
        }
    }
    state.counters["rows"] = kTableRows;
}
BENCHMARK(BM_DataFileSave140Rows)->Unit(benchmark::kMicrosecond);

// What "Ort auswählen" does before the list appears: read, sort, take each line's name.
void BM_LocationDatabase10000Sorted(benchmark::State& state) {
    const fs::path path = bench::placesFile(kPlaces);
    std::size_t names = 0;
    for (auto _ : state) {
        std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                             &std::fclose);
        if (!file) {
            state.SkipWithError("the place database could not be opened");
            break;
        }
        const LocationList list = readLocationList(file.get());
        std::vector<std::string> placeNames;
        placeNames.reserve(list.size());
        for (const LocationLine& line : list) {
            placeNames.push_back(placeName(line.text));
        }
        names = placeNames.size();
        benchmark::DoNotOptimize(placeNames.data());
    }
    state.counters["places"] = static_cast<double>(names);
}
BENCHMARK(BM_LocationDatabase10000Sorted)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lumetra

BENCHMARK_MAIN();
