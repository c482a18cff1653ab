// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <list>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/ModuleFieldTable.h"

namespace lumetra {

// The module-field table in memory, for the command-line tool and the tests: rows in display
// order with eight cells each (column 0 is the tree column), a background per cell and a
// focused cell.
class MemoryModuleFieldTable final : public ModuleFieldTable {
  public:
    static constexpr int kColumnCount = 8;

    RowHandle firstRow() const override;
    RowHandle nextRow(RowHandle row) const override;
    RowHandle previousRow(RowHandle row) const override;
    std::string cellText(RowHandle row, int column) const override;
    void setCellText(RowHandle row, int column, std::string_view text) override;
    int rowIndex(RowHandle row) const override;
    void setCellBackground(RowHandle row, int column, std::optional<Rgb> colour) override;
    RowHandle insertRow(RowPosition position, RowHandle after = kNoRow) override;
    bool deleteRow(RowHandle row) override;
    void setFocusedRow(RowHandle row) override;
    std::uint64_t changeCount() const override { return changeCount_; }
    std::vector<RowHandle> rowsChangedSince(std::uint64_t since) const override;
    std::uint64_t layoutChangeCount() const override { return layoutChangeCount_; }

    // For inspection by the command-line tool and the tests.
    std::optional<Rgb> cellBackground(RowHandle row, int column) const;
    int rowCount() const override { return static_cast<int>(rows_.size()); }
    RowHandle rowAt(int index) const;  // kNoRow when out of range
    RowHandle focusedRow() const { return focusedRow_; }
    int focusedColumn() const { return focusedColumn_; }
    void setFocusedCell(RowHandle row, int column);

  private:
    using RecentList = std::list<RowHandle>;
    struct Row {
        RowHandle handle = kNoRow;
        std::array<std::string, kColumnCount> texts{};
        std::array<std::optional<Rgb>, kColumnCount> backgrounds{};
        std::uint64_t changedAt = 0;  // the change count of the row's latest change
        RecentList::iterator recent;  // the row's place in recent_
    };
    using RowList = std::list<Row>;

    const Row* find(RowHandle row) const;
    Row* find(RowHandle row);

    // Gives the row the next change count and moves it to the front of recent_.
    void noteChanged(Row& row);

    // The display order as a vector and each row's line in it, rebuilt on the first question
    // after rows were inserted or deleted, so that a walk asking for lines costs one rebuild.
    void refreshOrder() const;

    RowList rows_;
    std::unordered_map<RowHandle, RowList::iterator> index_;
    mutable std::vector<RowHandle> order_;
    mutable std::unordered_map<RowHandle, int> lines_;
    mutable bool orderValid_ = true;
    RecentList recent_;  // every row, the latest changed first
    std::uint64_t changeCount_ = 0;
    std::uint64_t layoutChangeCount_ = 0;
    RowHandle nextHandle_ = 1;
    RowHandle focusedRow_ = kNoRow;
    int focusedColumn_ = 0;
};

}  // namespace lumetra
