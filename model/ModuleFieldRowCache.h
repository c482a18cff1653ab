// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "model/ModuleFieldTable.h"

namespace lumetra {

// What the yield relation keeps of the module-field rows between its runs, so that a run reads
// only the rows changed since the one before. Every figure is exactly what a walk over all
// rows gives: a row's figures depend only on its own cells and the site, and the totals are
// summed in display order as that walk sums them.
struct YieldRowCache {
    struct Row {
        RowHandle handle = kNoRow;
        bool counts = false;  // false for the placeholder row
        double area = 0;
        double power = 0;
        double yield = 0;
        // Running totals up to and including this row.
        double areaTotal = 0;
        double powerTotal = 0;
        double yieldTotal = 0;
        std::size_t countedRows = 0;
    };

    const ModuleFieldTable* table = nullptr;  // null while nothing is kept
    std::uint64_t seenCount = 0;              // the table's change count when the last run began
    RowHandle placeholderRow = kNoRow;
    std::array<double, 3> site{};  // latitude, ideal yield per area, power per area
    std::vector<Row> rows;         // every row, the placeholder included, in display order
    std::unordered_map<RowHandle, std::size_t> positions;  // a row's index in `rows`
};

// What the refresh tick keeps between its row formattings, so that it formats only the rows
// changed since the one before.
struct RowFormatCache {
    const ModuleFieldTable* table = nullptr;  // null while nothing is kept
    std::uint64_t seenCount = 0;  // the table's change count when the last formatting began
    RowHandle placeholderRow = kNoRow;
    // Rows with a cell coloured out of range: that colour alternates with the display line, so
    // these rows are coloured again whenever rows move to other lines.
    std::unordered_set<RowHandle> marked;
};

// Something read from each row (its numbers as a file writes them, its cells as numbers), kept
// while the table's change count says it is still what the row holds, so that each refresh
// reads only the rows changed since the one before.
template <typename Value>
class ChangedRowValues {
  public:
    // Brings the values up to date with `table`; `read(row)` reads one row. Another table, or
    // one whose count went back, is read whole.
    template <typename Read>
    void refresh(const ModuleFieldTable& table, Read read) {
        if (table_ != &table || table.changeCount() < seenCount_) {
            table_ = &table;
            values_.clear();
            for (RowHandle row = table.firstRow(); row != kNoRow; row = table.nextRow(row)) {
                values_[row] = read(row);
            }
        } else if (table.changeCount() != seenCount_) {
            for (RowHandle row : table.rowsChangedSince(seenCount_)) {
                values_[row] = read(row);
            }
        }
        seenCount_ = table.changeCount();
    }

    // The value of an existing row as of the last refresh.
    const Value& operator[](RowHandle row) { return values_[row]; }

    // Deleted rows leave their values behind; once they are most of them, the next refresh reads
    // the table whole. `rowCount` is the table's number of rows.
    void dropDeletedRows(std::size_t rowCount) {
        if (values_.size() > 2 * rowCount + 64) {
            table_ = nullptr;
        }
    }

  private:
    const ModuleFieldTable* table_ = nullptr;
    std::uint64_t seenCount_ = 0;
    std::unordered_map<RowHandle, Value> values_;
};

}  // namespace lumetra
