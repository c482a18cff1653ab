// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "model/MemoryModuleFieldTable.h"

namespace lumetra::test {

// An in-memory table that also records every cell write, so that a test can tell "wrote
// the same text again" from "left the cell alone".
class RecordingTable final : public ModuleFieldTable {
  public:
    MemoryModuleFieldTable inner;
    std::vector<std::pair<RowHandle, int>> writes;

    RowHandle firstRow() const override { return inner.firstRow(); }
    RowHandle nextRow(RowHandle row) const override { return inner.nextRow(row); }
    RowHandle previousRow(RowHandle row) const override { return inner.previousRow(row); }
    std::string cellText(RowHandle row, int column) const override {
        return inner.cellText(row, column);
    }
    void setCellText(RowHandle row, int column, std::string_view text) override {
        writes.emplace_back(row, column);
        inner.setCellText(row, column, text);
    }
    int rowIndex(RowHandle row) const override { return inner.rowIndex(row); }
    int rowCount() const override { return inner.rowCount(); }
    void setCellBackground(RowHandle row, int column, std::optional<Rgb> colour) override {
        inner.setCellBackground(row, column, colour);
    }
    RowHandle insertRow(RowPosition position, RowHandle after = kNoRow) override {
        return inner.insertRow(position, after);
    }
    bool deleteRow(RowHandle row) override { return inner.deleteRow(row); }
    void setFocusedRow(RowHandle row) override { inner.setFocusedRow(row); }
    std::uint64_t changeCount() const override { return inner.changeCount(); }
    std::vector<RowHandle> rowsChangedSince(std::uint64_t since) const override {
        return inner.rowsChangedSince(since);
    }
    std::uint64_t layoutChangeCount() const override { return inner.layoutChangeCount(); }

    // A field row at the end with the given texts in columns 1..5 (empty ones left unset).
    RowHandle addRow(const std::string& width, const std::string& height, const std::string& area,
                     const std::string& azimuth = {}, const std::string& tilt = {}) {
        const RowHandle row = inner.insertRow(RowPosition::Last);
        const std::string* texts[] = {&width, &height, &area, &azimuth, &tilt};
        for (int column = 1; column <= 5; ++column) {
            if (!texts[column - 1]->empty()) {
                inner.setCellText(row, column, *texts[column - 1]);
            }
        }
        return row;
    }
};

}  // namespace lumetra::test
