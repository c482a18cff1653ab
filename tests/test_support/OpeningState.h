// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <deque>
#include <functional>
#include <random>
#include <string>

#include "calculator/Calculator.h"
#include "model/MemoryFieldPanel.h"
#include "model/MemoryModuleFieldTable.h"

namespace lumetra::test {

// A calculator over in-memory fields and table, opened as the main dialog opens: the table's
// first rows, all fields written, the initial presets, the first solves. Posted calls wait in
// `posted` until runPosted() runs them, as the window's event loop would.
struct OpeningState {
    MemoryFieldPanel fields;
    MemoryModuleFieldTable table;
    std::deque<std::function<void()>> posted;
    Calculator calculator{
        fields, table, [this](std::function<void()> call) { posted.push_back(std::move(call)); }};

    explicit OpeningState(bool open = true);

    // Runs every posted call, including those posted while running.
    void runPosted();

    // Types `text` into the field of q as a user does: focus, text change, focus leaves.
    void type(QuantityId q, std::string_view text);

    // Ends an edit of a cell with `text` as a user does, and runs what it posted.
    void editCell(RowHandle row, int column, const std::string& text);

    // A row of the table, the placeholder included, picked by `random`.
    RowHandle randomRow(std::mt19937& random) const;

    double value(QuantityId q) const { return calculator.state().values[q]; }
};

}  // namespace lumetra::test
