// SPDX-License-Identifier: GPL-3.0-or-later
// Reading and sorting location databases: the shipped one, and a generated one of 100,000
// places with numbered and accented names (in the temporary folder, never committed).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>

#include "persistence/LocationDatabase.h"
#include "persistence/NaturalCompare.h"

namespace {

namespace fs = std::filesystem;
using namespace lumetra;

void readDatabase(benchmark::State& state, const fs::path& path) {
    for (auto _ : state) {
        std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                             &std::fclose);
        if (!file) {
            state.SkipWithError(("cannot read " + path.string()).c_str());
            return;
        }
        const LocationList list = readLocationList(file.get());
        benchmark::DoNotOptimize(list.size());
    }
}

// The shipped database of the source tree (a compiler cache may have made __FILE__ relative).
void ShippedDatabase(benchmark::State& state) {
    readDatabase(state, fs::path(LUMETRA_DATA_DIR) / "SolarDatabase.csv");
}

void GeneratedDatabase100000(benchmark::State& state) {
    const fs::path path = fs::temp_directory_path() / "lumetra-bench-places.csv";
    if (!fs::exists(path)) {
        std::ofstream out(path, std::ios::binary);
        std::mt19937 random(7);
        const char* stems[] = {"Ort", "\xD6tz", "Stra\xDF", "Wien ", "linz_", "Graz/"};
        for (int i = 0; i < 100000; ++i) {
            out << stems[random() % 6] << random() % 5000 << ";" << 45 + random() % 10 << "."
                << random() % 100 << ";" << 10 + random() % 10 << ";" << 900 + random() % 400
                << "\n";
        }
    }
    readDatabase(state, path);
}

void CompareNumberedNames(benchmark::State& state) {
    const std::string a = "Wiener Neustadt 0x1F Bezirk 12";
    const std::string b = "wiener neustadt 0x1f bezirk 13";
    for (auto _ : state) {
        benchmark::DoNotOptimize(NaturalCompare(a, b));
    }
}

BENCHMARK(ShippedDatabase)->Unit(benchmark::kMicrosecond);
BENCHMARK(GeneratedDatabase100000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(CompareNumberedNames);

}  // namespace

BENCHMARK_MAIN();
