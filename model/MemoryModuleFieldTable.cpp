// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/MemoryModuleFieldTable.h"

#include <iterator>

namespace lumetra {

namespace {
bool validColumn(int column) {
    return column >= 0 && column < MemoryModuleFieldTable::kColumnCount;
}
}  // namespace

const MemoryModuleFieldTable::Row* MemoryModuleFieldTable::find(RowHandle row) const {
    const auto it = index_.find(row);
    return it == index_.end() ? nullptr : &*it->second;
}

MemoryModuleFieldTable::Row* MemoryModuleFieldTable::find(RowHandle row) {
    const auto it = index_.find(row);
    return it == index_.end() ? nullptr : &*it->second;
}

RowHandle MemoryModuleFieldTable::firstRow() const {
    return rows_.empty() ? kNoRow : rows_.front().handle;
}

RowHandle MemoryModuleFieldTable::nextRow(RowHandle row) const {
    const auto it = index_.find(row);
    if (it == index_.end()) {
        return kNoRow;
    }
    const auto next = std::next(it->second);
    return next == rows_.end() ? kNoRow : next->handle;
}

RowHandle MemoryModuleFieldTable::previousRow(RowHandle row) const {
    const auto it = index_.find(row);
    if (it == index_.end() || it->second == rows_.begin()) {
        return kNoRow;
    }
    return std::prev(it->second)->handle;
}

std::string MemoryModuleFieldTable::cellText(RowHandle row, int column) const {
    const Row* r = find(row);
    return r != nullptr && validColumn(column) ? r->texts[column] : std::string();
}

void MemoryModuleFieldTable::setCellText(RowHandle row, int column, std::string_view text) {
    if (Row* r = find(row); r != nullptr && validColumn(column) && r->texts[column] != text) {
        r->texts[column] = std::string(text);
        noteChanged(*r);
    }
}

void MemoryModuleFieldTable::noteChanged(Row& row) {
    row.changedAt = ++changeCount_;
    recent_.splice(recent_.begin(), recent_, row.recent);
}

std::vector<RowHandle> MemoryModuleFieldTable::rowsChangedSince(std::uint64_t since) const {
    std::vector<RowHandle> changed;
    for (const RowHandle handle : recent_) {
        const Row* row = find(handle);
        if (row->changedAt <= since) {
            break;
        }
        changed.push_back(handle);
    }
    return changed;
}

void MemoryModuleFieldTable::refreshOrder() const {
    if (orderValid_) {
        return;
    }
    order_.clear();
    lines_.clear();
    order_.reserve(rows_.size());
    for (const Row& row : rows_) {
        lines_.emplace(row.handle, static_cast<int>(order_.size()));
        order_.push_back(row.handle);
    }
    orderValid_ = true;
}

int MemoryModuleFieldTable::rowIndex(RowHandle row) const {
    refreshOrder();
    const auto it = lines_.find(row);
    return it == lines_.end() ? -1 : it->second;
}

void MemoryModuleFieldTable::setCellBackground(RowHandle row, int column,
                                               std::optional<Rgb> colour) {
    if (Row* r = find(row); r != nullptr && validColumn(column)) {
        r->backgrounds[column] = colour;
    }
}

std::optional<Rgb> MemoryModuleFieldTable::cellBackground(RowHandle row, int column) const {
    const Row* r = find(row);
    return r != nullptr && validColumn(column) ? r->backgrounds[column] : std::nullopt;
}

RowHandle MemoryModuleFieldTable::insertRow(RowPosition position, RowHandle after) {
    RowList::iterator where = rows_.end();
    if (position == RowPosition::First) {
        where = rows_.begin();
    } else if (position == RowPosition::After) {
        const auto it = index_.find(after);
        if (it == index_.end()) {
            return kNoRow;
        }
        where = std::next(it->second);
    }
    const bool atEnd = where == rows_.end();
    const RowHandle handle = nextHandle_++;
    const auto inserted = rows_.insert(where, Row{handle, {}, {}, 0, {}});
    index_.emplace(handle, inserted);
    recent_.push_front(handle);
    inserted->recent = recent_.begin();
    inserted->changedAt = ++changeCount_;
    if (!atEnd) {
        layoutChangeCount_ = changeCount_;
        orderValid_ = false;
    } else if (orderValid_) {
        // A row added at the end moves no other row, so the order is extended, not rebuilt.
        lines_.emplace(handle, static_cast<int>(order_.size()));
        order_.push_back(handle);
    }
    return handle;
}

bool MemoryModuleFieldTable::deleteRow(RowHandle row) {
    const auto it = index_.find(row);
    if (it == index_.end()) {
        return false;
    }
    recent_.erase(it->second->recent);
    rows_.erase(it->second);
    index_.erase(it);
    orderValid_ = false;
    layoutChangeCount_ = ++changeCount_;
    if (focusedRow_ == row) {
        focusedRow_ = kNoRow;
    }
    return true;
}

void MemoryModuleFieldTable::setFocusedRow(RowHandle row) {
    focusedRow_ = find(row) != nullptr ? row : kNoRow;
}

void MemoryModuleFieldTable::setFocusedCell(RowHandle row, int column) {
    setFocusedRow(row);
    if (validColumn(column)) {
        focusedColumn_ = column;
    }
}

RowHandle MemoryModuleFieldTable::rowAt(int index) const {
    if (index < 0 || index >= rowCount()) {
        return kNoRow;
    }
    refreshOrder();
    return order_[static_cast<std::size_t>(index)];
}

}  // namespace lumetra
