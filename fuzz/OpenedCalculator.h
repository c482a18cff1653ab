// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A calculator over in-memory ports, opened once per fuzzing process. restore() brings it back
// to the state right after opening (value store, fields, table rows) far faster than opening a
// new one, so a target that applies its input to an opened calculator spends its time on the
// input rather than on the opening.
#include <array>
#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calculator/Calculator.h"
#include "model/MemoryFieldPanel.h"
#include "model/MemoryModuleFieldTable.h"
#include "persistence/DataFile.h"
#include "persistence/DataFileFormat.h"

namespace lumetra::fuzz {

class OpenedCalculator {
  public:
    OpenedCalculator()
        : calculator_(fields_, table_,
                      [this](std::function<void()> call) { posted_.push_back(std::move(call)); }) {
        fields_.setTextChangedHandler([this](QuantityId q) { calculator_.onFieldTextChanged(q); });
        calculator_.openDialog();
        posted_.clear();
        savedState_ = calculator_.state();
        savedFields_ = fields_;
        for (int i = 0; i < table_.rowCount(); ++i) {
            const RowHandle row = table_.rowAt(i);
            SavedRow& saved = savedRows_.emplace_back();
            for (int c = 0; c < MemoryModuleFieldTable::kColumnCount; ++c) {
                saved.texts[c] = table_.cellText(row, c);
                saved.backgrounds[c] = table_.cellBackground(row, c);
            }
            if (row == savedState_.placeholderRow) {
                placeholderIndex_ = i;
            }
            if (row == table_.focusedRow()) {
                focusedIndex_ = i;
            }
        }
        focusedColumn_ = table_.focusedColumn();
        // The restored state must save exactly as the opened one.
        const std::string opened = dataFileBytes(calculator_);
        restore();
        if (dataFileBytes(calculator_) != opened) {
            __builtin_trap();
        }
    }

    void restore() {
        while (table_.rowCount() > 0) {
            table_.deleteRow(table_.rowAt(table_.rowCount() - 1));
        }
        std::vector<RowHandle> rows;
        for (const SavedRow& saved : savedRows_) {
            const RowHandle row = table_.insertRow(RowPosition::Last);
            for (int c = 0; c < MemoryModuleFieldTable::kColumnCount; ++c) {
                table_.setCellText(row, c, saved.texts[c]);
                table_.setCellBackground(row, c, saved.backgrounds[c]);
            }
            rows.push_back(row);
        }
        table_.setFocusedCell(focusedIndex_ ? rows[*focusedIndex_] : kNoRow, focusedColumn_);
        calculator_.state() = savedState_;
        calculator_.state().placeholderRow = placeholderIndex_ ? rows[*placeholderIndex_] : kNoRow;
        fields_ = savedFields_;
        posted_.clear();
    }

    // Restores the opened state and loads `bytes` as a data file, as the window does: the file
    // applied, the queued calls run, one refresh tick. A file with a row numbered beyond
    // `maxRowNumber` is not loaded (every row up to it would be made, which only makes the
    // input slow); then false.
    bool loadDataFile(std::string_view bytes, int maxRowNumber) {
        const DataFileReading reading = readDataFile(bytes);
        if (!reading.rows.empty() && reading.rows.rbegin()->first > maxRowNumber) {
            return false;
        }
        restore();
        applyDataFile(calculator_, reading);
        drainPosted();
        calculator_.refreshTick();
        return true;
    }

    // Runs the queued calls, as the window's event loop would after the current event.
    void drainPosted() {
        while (!posted_.empty()) {
            auto call = std::move(posted_.front());
            posted_.pop_front();
            call();
        }
    }

    Calculator& calculator() { return calculator_; }
    MemoryModuleFieldTable& table() { return table_; }

  private:
    struct SavedRow {
        std::array<std::string, MemoryModuleFieldTable::kColumnCount> texts{};
        std::array<std::optional<Rgb>, MemoryModuleFieldTable::kColumnCount> backgrounds{};
    };

    MemoryFieldPanel fields_;
    MemoryModuleFieldTable table_;
    std::deque<std::function<void()>> posted_;
    Calculator calculator_;
    CalculatorState savedState_;
    MemoryFieldPanel savedFields_;
    std::vector<SavedRow> savedRows_;
    std::optional<std::size_t> placeholderIndex_;
    std::optional<std::size_t> focusedIndex_;
    int focusedColumn_ = 0;
};

}  // namespace lumetra::fuzz
