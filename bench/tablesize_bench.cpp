// SPDX-License-Identifier: GPL-3.0-or-later
// The cost of a big module-field table: loading a data file of 10,000 rows, one cell edit (the
// edit, its posted solve and the next refresh tick) with 10,000 rows, and adding rows one by one
// through the placeholder row. Every table operation and every edit should cost in proportion
// to the rows it touches.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include "bench/BenchSupport.h"
#include "calculator/ModuleFieldEditing.h"
#include "energy/ModuleFieldColumns.h"
#include "persistence/DataFile.h"

namespace lumetra {
namespace {

namespace fs = std::filesystem;

constexpr int kRows = 10000;

fs::path bigTableFile() {
    const fs::path path = fs::temp_directory_path() / "lumetra-bench-10000-rows.lumet";
    if (!fs::exists(path)) {
        bench::OpenedCalculator opened;
        opened.fillRows(kRows);
        if (saveDataFile(opened.calculator, path) != DataFileOutcome::Done) {
            return {};
        }
    }
    return path;
}

// "Laden" of a 10,000-row file into an opened calculator, up to the refresh tick that shows it.
void BM_LoadDataFile10000Rows(benchmark::State& state) {
    const fs::path path = bigTableFile();
    if (path.empty()) {
        state.SkipWithError("the data file could not be written");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        auto opened = std::make_unique<bench::OpenedCalculator>();
        state.ResumeTiming();
        benchmark::DoNotOptimize(loadDataFile(opened->calculator, path));
        opened->drain();
        opened->calculator.refreshTick();
        state.PauseTiming();
        opened.reset();
        state.ResumeTiming();
    }
    state.counters["rows"] = kRows;
}
BENCHMARK(BM_LoadDataFile10000Rows)->Unit(benchmark::kMillisecond)->Iterations(3);

// One accepted cell edit in the middle of 10,000 rows: the edit, the solve it posts and the
// refresh tick after it.
void BM_CellEdit10000Rows(benchmark::State& state) {
    bench::OpenedCalculator opened;
    opened.fillRows(kRows);
    const RowHandle row = opened.table.rowAt(kRows / 2);
    bool odd = false;
    for (auto _ : state) {
        odd = !odd;
        const std::string text = odd ? "3" : "4";
        if (endCellEdit(opened.calculator, row, ColumnWidth, &text, true)) {
            opened.table.setCellText(row, ColumnWidth, text);
        }
        opened.drain();
        opened.calculator.refreshTick();
    }
    state.counters["rows"] = kRows;
}
BENCHMARK(BM_CellEdit10000Rows)->Unit(benchmark::kMicrosecond);

// Rows added one by one by typing into the placeholder row, as a user (or a script driving the
// command-line tool) does; per row the cost should not grow with the table.
void BM_AddRowsOneByOne(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto opened = std::make_unique<bench::OpenedCalculator>();
        state.ResumeTiming();
        for (int i = 0; i < rows; ++i) {
            const RowHandle placeholder = opened->calculator.state().placeholderRow;
            const std::string text = std::to_string(2 + i % 7);
            if (endCellEdit(opened->calculator, placeholder, ColumnWidth, &text, true)) {
                opened->table.setCellText(placeholder, ColumnWidth, text);
            }
            opened->drain();
            opened->calculator.refreshTick();
        }
        state.PauseTiming();
        opened.reset();
        state.ResumeTiming();
    }
    state.counters["rows"] = rows;
}
BENCHMARK(BM_AddRowsOneByOne)->Arg(500)->Arg(2000)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace lumetra

BENCHMARK_MAIN();
