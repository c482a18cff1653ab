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

#include "energy/ModuleFieldColumns.h"
#include "model/Calculator.h"
#include "model/MemoryFieldPanel.h"
#include "model/MemoryModuleFieldTable.h"
#include "persistence/DataFile.h"
#include "persistence/LocationDatabase.h"

namespace lumetra {
namespace {

namespace fs = std::filesystem;

constexpr int kTableRows = 140;
constexpr int kPlaces = 10000;

// An opened calculator over the in-memory ports; posted calls run when drain() is called, as
// the window's event loop would run them right after the current event.
struct OpenedCalculator {
    MemoryFieldPanel fields;
    MemoryModuleFieldTable table;
    std::deque<std::function<void()>> posted;
    Calculator calculator{
        fields, table, [this](std::function<void()> call) { posted.push_back(std::move(call)); }};

    OpenedCalculator() {
        fields.setTextChangedHandler([this](QuantityId q) { calculator.onFieldTextChanged(q); });
        calculator.openDialog();
        drain();
    }

    void drain() {
        while (!posted.empty()) {
            auto call = std::move(posted.front());
            posted.pop_front();
            call();
        }
    }

    // Fills the table with `rows` fields of varied size and direction before the placeholder.
    void fillRows(int rows) {
        RowHandle last = table.firstRow();
        for (int i = 1; i < rows; ++i) {
            last = table.insertRow(RowPosition::After, last);
            table.setCellText(last, ColumnWidth, std::to_string(2 + i % 7));
            table.setCellText(last, ColumnHeight, std::to_string(1 + i % 3) + ",5");
            table.setCellText(last, ColumnAzimuth, kOrientationPresets[i % 8]);
            table.setCellText(last, ColumnTilt, std::to_string(i % 91));
        }
        calculator.solveFrom(Latitude);
        drain();
        calculator.refreshTick();
    }
};

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

// Place names with numbers, accents (Windows-1252) and shared stems, so that the natural
// order has real work to do.
fs::path placesFile() {
    const fs::path path = fs::temp_directory_path() / "lumetra-bench-10000-places.csv";
    if (!fs::exists(path)) {
        std::ofstream out(path, std::ios::binary);
        std::mt19937 random(11);
        const char* stems[] = {"Bad ",
                               "\xD6hringen ",
                               "Stra\xDF"
                               "burg ",
                               "Sankt ",
                               "neu-",
                               "Au "};
        out << "; Ort;Breitengrad;L\xE4ngengrad;Globalstrahlung\n";
        for (int i = 0; i < kPlaces; ++i) {
            out << stems[random() % 6] << random() % 3000 << ";" << 45 + random() % 10 << "."
                << random() % 10000 << ";" << 6 + random() % 12 << "." << random() % 10000 << ";"
                << 950 + random() % 450 << "\n";
        }
    }
    return path;
}

// What "Ort auswählen" does before the list appears: read, sort, take each line's name.
void BM_LocationDatabase10000Sorted(benchmark::State& state) {
    const fs::path path = placesFile();
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
