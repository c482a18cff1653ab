// SPDX-License-Identifier: GPL-3.0-or-later
// Fixtures shared by the benchmarks: an opened calculator over the in-memory ports, and a
// generated location database.
#pragma once

#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>

#include "calculator/Calculator.h"
#include "energy/ModuleFieldColumns.h"
#include "model/MemoryFieldPanel.h"
#include "model/MemoryModuleFieldTable.h"

namespace lumetra::bench {

// The calculator opened with the defaults, as the window opens it. Posted calls wait until
// drain() runs them, as the window's event loop would run them after the current event.
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

    // Fills the table up to `rows` fields of varied size and direction (the opening field
    // included), then solves and runs a refresh tick.
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

// A location database of `count` places in the temporary folder, made once: names with
// numbers, accents (Windows-1252) and shared stems, so that the natural order has real work.
inline std::filesystem::path placesFile(int count) {
    const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                       ("lumetra-bench-" + std::to_string(count) + "-places.csv");
    if (!std::filesystem::exists(path)) {
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
        for (int i = 0; i < count; ++i) {
            out << stems[random() % 6] << random() % 3000 << ";" << 45 + random() % 10 << "."
                << random() % 10000 << ";" << 6 + random() % 12 << "." << random() % 10000 << ";"
                << 950 + random() % 450 << "\n";
        }
    }
    return path;
}

}  // namespace lumetra::bench
