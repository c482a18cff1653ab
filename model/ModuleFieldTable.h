// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "support/Rgb.h"

namespace lumetra {

// Handle of a table row; never 0 for an existing row, valid until the row is deleted.
using RowHandle = std::uintptr_t;
inline constexpr RowHandle kNoRow = 0;

enum class RowPosition { First, Last, After };

// The most module fields a table holds besides its placeholder row: as many as a data file's
// load reads back, so that every table saved loads whole.
inline constexpr int kMaxModuleFields = 10000;

// The module-field table as the core sees it: a flat list of rows in display order whose cell
// texts (columns 1..7, UTF-8) are the only store of the module fields. The window implements
// it over its tree-list control, the command-line tool and the tests in memory.
class ModuleFieldTable {
  public:
    virtual ~ModuleFieldTable() = default;

    // Rows in display order; kNoRow when there is none.
    virtual RowHandle firstRow() const = 0;
    virtual RowHandle nextRow(RowHandle row) const = 0;
    virtual RowHandle previousRow(RowHandle row) const = 0;

    // The text of a cell; empty for a cell that never received one or an unknown row.
    virtual std::string cellText(RowHandle row, int column) const = 0;
    virtual void setCellText(RowHandle row, int column, std::string_view text) = 0;

    // 0-based display line of a row, -1 when the row does not exist.
    virtual int rowIndex(RowHandle row) const = 0;
    // The number of rows, the placeholder row included.
    virtual int rowCount() const = 0;

    // A cell's background; std::nullopt restores the table's own (alternating) colour.
    virtual void setCellBackground(RowHandle row, int column, std::optional<Rgb> colour) = 0;

    // Inserts an empty row at the top, at the end, or after the row `after`; returns its handle.
    virtual RowHandle insertRow(RowPosition position, RowHandle after = kNoRow) = 0;

    // Deletes a row; false (and nothing deleted) for kNoRow or an unknown row.
    virtual bool deleteRow(RowHandle row) = 0;

    // Moves the focused cell to `row`, keeping the focused column; kNoRow removes the focus.
    virtual void setFocusedRow(RowHandle row) = 0;

    // Change tracking, so that work over the rows can be limited to the rows that changed.
    // The change count grows with every change: a cell text set to a different text (setting
    // the same text again is no change), a row inserted or deleted. Backgrounds and the focus
    // are not counted.
    virtual std::uint64_t changeCount() const = 0;

    // The existing rows whose cell texts changed, or that were inserted, after the change count
    // stood at `since`; each row once, the latest changed first.
    virtual std::vector<RowHandle> rowsChangedSince(std::uint64_t since) const = 0;

    // The change count of the latest change that moved rows to other lines or removed them: a
    // deletion, or an insertion anywhere but after the last row. 0 when there was none.
    virtual std::uint64_t layoutChangeCount() const = 0;
};

}  // namespace lumetra
