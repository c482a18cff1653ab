// SPDX-License-Identifier: GPL-3.0-or-later
// Loading hostile and huge data files: 100 MB of random bytes, one line of 10 MB, and 200,000
// valid lines. The files are generated once in the temporary folder (never committed). Each
// case reports the peak resident memory of the process so far; run one case per process
// (--benchmark_filter) to read it per case.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>

#include "calculator/Calculator.h"
#include "model/MemoryFieldPanel.h"
#include "model/MemoryModuleFieldTable.h"
#include "persistence/DataFile.h"
#include "persistence/DataFileFormat.h"
#include "support/Windows1252.h"

namespace {

namespace fs = std::filesystem;
using namespace lumetra;

fs::path benchFile(const char* name, const std::function<void(std::ofstream&)>& fill) {
    const fs::path path = fs::temp_directory_path() / name;
    if (!fs::exists(path)) {
        std::ofstream out(path, std::ios::binary);
        fill(out);
    }
    return path;
}

double peakResidentMiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::stod(line.substr(6)) / 1024.0;
        }
    }
    return 0;
}

void loadFile(benchmark::State& state, const fs::path& path) {
    for (auto _ : state) {
        MemoryFieldPanel fields;
        MemoryModuleFieldTable table;
        Calculator calculator(fields, table, [](std::function<void()>) {});
        fields.setTextChangedHandler(
            [&calculator](QuantityId q) { calculator.onFieldTextChanged(q); });
        calculator.openDialog();
        benchmark::DoNotOptimize(loadDataFile(calculator, path));
        benchmark::DoNotOptimize(table.rowCount());
    }
    state.counters["fileMiB"] = static_cast<double>(fs::file_size(path)) / (1024.0 * 1024.0);
    state.counters["peakRssMiB"] = peakResidentMiB();
}

void RandomBytes100MB(benchmark::State& state) {
    const auto path = benchFile("lumetra-bench-random.lumet", [](std::ofstream& out) {
        std::mt19937_64 random(42);
        std::string block(1 << 20, '\0');
        for (int mib = 0; mib < 100; ++mib) {
            for (auto& c : block) {
                c = static_cast<char>(random());
            }
            out << block;
        }
    });
    loadFile(state, path);
}

void OneLine10MB(benchmark::State& state) {
    const auto path = benchFile("lumetra-bench-one-line.lumet", [](std::ofstream& out) {
        out << "Breitengrad = " << std::string(10 * 1024 * 1024, '7') << "\n";
    });
    loadFile(state, path);
}

void ValidLines200000(benchmark::State& state) {
    const auto path = benchFile("lumetra-bench-valid-lines.lumet", [](std::ofstream& out) {
        std::string text;
        for (int q = 0; q < kQuantityCount; ++q) {
            text += formatQuantityLine(q, 10.0 + q, q == 0);
        }
        // 28,565 rows of seven lines (row numbers past 10,000 count but change nothing).
        for (int line = 0; line < 200000 - kQuantityCount; ++line) {
            const int row = line / 7 + 1;
            text += formatRowLine(row, line % 7 + 1, 1.0 + line % 90);
        }
        out << utf8ToWindows1252(text);
    });
    loadFile(state, path);
}

BENCHMARK(RandomBytes100MB)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(OneLine10MB)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(ValidLines200000)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
