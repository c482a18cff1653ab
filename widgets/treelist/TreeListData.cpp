// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/treelist/TreeListData.h"

#include <algorithm>

namespace lumetra {

namespace {
// The text handed out for a cell that never received one: empty, but not null.
const TreeListCell kEmptyCell{QStringLiteral(""), kTreeListDefaultColor, kTreeListDefaultColor};
}  // namespace

const TreeListColumn* TreeListData::column(int index) const {
    if (index < 0 || index >= columnCount()) {
        return nullptr;
    }
    return &columns_[static_cast<size_t>(index)];
}

TreeListColumn* TreeListData::column(int index) {
    return const_cast<TreeListColumn*>(std::as_const(*this).column(index));
}

int TreeListData::insertColumn(int index, TreeListColumn column) {
    if (columnCount() >= kMaxColumns) {
        return -1;
    }
    index = std::clamp(index, 0, columnCount());
    const bool first = columns_.empty();
    columns_.insert(columns_.begin() + index, std::move(column));
    if (first) {
        return index;  // the items' own texts were column 0 already
    }
    // Cells follow their columns: the texts of later columns move one to the right.
    std::vector<HTREEITEM> moved;
    for (auto& [handle, item] : items_) {
        if (static_cast<int>(item.cells.size()) > index) {
            item.cells.insert(item.cells.begin() + index, TreeListCell{});
            moved.push_back(handle);
        }
    }
    for (const HTREEITEM handle : moved) {
        noteTextChanged(handle);
    }
    return index;
}

void TreeListData::link(HTREEITEM item, HTREEITEM previous, HTREEITEM next) {
    TreeListItem& entry = items_[item];
    entry.previous = previous;
    entry.next = next;
    if (previous != 0) {
        items_[previous].next = item;
    } else {
        first_ = item;
    }
    if (next != 0) {
        items_[next].previous = item;
    } else {
        last_ = item;
    }
    entry.changedAt = ++changeCount_;
    linkRecentFirst(item, entry);
    if (next != 0) {
        layoutChangeCount_ = changeCount_;
        orderValid_ = false;
    } else if (orderValid_) {
        // An item added at the end moves no other item: the order is extended, not rebuilt.
        rows_.emplace(item, static_cast<int>(order_.size()));
        order_.push_back(item);
    }
}

void TreeListData::unlinkRecent(TreeListItem& entry) {
    if (entry.recentPrevious != 0) {
        items_.at(entry.recentPrevious).recentNext = entry.recentNext;
    } else {
        recentFirst_ = entry.recentNext;
    }
    if (entry.recentNext != 0) {
        items_.at(entry.recentNext).recentPrevious = entry.recentPrevious;
    }
    entry.recentPrevious = 0;
    entry.recentNext = 0;
}

void TreeListData::linkRecentFirst(HTREEITEM item, TreeListItem& entry) {
    entry.recentPrevious = 0;
    entry.recentNext = recentFirst_;
    if (recentFirst_ != 0) {
        items_.at(recentFirst_).recentPrevious = item;
    }
    recentFirst_ = item;
}

void TreeListData::noteTextChanged(HTREEITEM item) {
    const auto found = items_.find(item);
    if (found == items_.end()) {
        return;
    }
    TreeListItem& entry = found->second;
    entry.changedAt = ++changeCount_;
    if (recentFirst_ != item) {
        unlinkRecent(entry);
        linkRecentFirst(item, entry);
    }
}

std::vector<HTREEITEM> TreeListData::itemsChangedSince(std::uint64_t since) const {
    std::vector<HTREEITEM> changed;
    for (HTREEITEM item = recentFirst_; item != 0;) {
        const TreeListItem& entry = items_.at(item);
        if (entry.changedAt <= since) {
            break;
        }
        changed.push_back(item);
        item = entry.recentNext;
    }
    return changed;
}

HTREEITEM TreeListData::insertItem(HTREEITEM after) {
    HTREEITEM previous = 0;
    HTREEITEM next = 0;
    if (after == TVI_FIRST) {
        next = first_;
    } else if (after == TVI_LAST) {
        previous = last_;
    } else {
        const auto found = items_.find(after);
        if (found == items_.end()) {
            return 0;
        }
        previous = after;
        next = found->second.next;
    }
    const HTREEITEM handle = nextHandle_++;
    items_.emplace(handle, TreeListItem{});
    link(handle, previous, next);
    return handle;
}

bool TreeListData::deleteItem(HTREEITEM item) {
    const auto found = items_.find(item);
    if (found == items_.end()) {
        return false;
    }
    const HTREEITEM previous = found->second.previous;
    const HTREEITEM next = found->second.next;
    unlinkRecent(found->second);
    items_.erase(found);
    if (previous != 0) {
        items_[previous].next = next;
    } else {
        first_ = next;
    }
    if (next != 0) {
        items_[next].previous = previous;
    } else {
        last_ = previous;
    }
    orderValid_ = false;
    layoutChangeCount_ = ++changeCount_;
    return true;
}

void TreeListData::deleteAll() {
    items_.clear();
    first_ = 0;
    last_ = 0;
    recentFirst_ = 0;
    orderValid_ = false;
    layoutChangeCount_ = ++changeCount_;
}

void TreeListData::refreshOrder() const {
    if (orderValid_) {
        return;
    }
    order_.clear();
    rows_.clear();
    order_.reserve(items_.size());
    for (HTREEITEM item = first_; item != 0; item = items_.at(item).next) {
        rows_.emplace(item, static_cast<int>(order_.size()));
        order_.push_back(item);
    }
    orderValid_ = true;
}

int TreeListData::rowIndex(HTREEITEM item) const {
    refreshOrder();
    const auto found = rows_.find(item);
    return found == rows_.end() ? -1 : found->second;
}

int TreeListData::rowIndexIfKnown(HTREEITEM item) const {
    if (!orderValid_) {
        return -1;
    }
    const auto found = rows_.find(item);
    return found == rows_.end() ? -1 : found->second;
}

HTREEITEM TreeListData::itemAt(int row) const {
    if (row < 0 || row >= itemCount()) {
        return 0;
    }
    refreshOrder();
    return order_[static_cast<size_t>(row)];
}

HTREEITEM TreeListData::next(HTREEITEM item) const {
    const auto found = items_.find(item);
    return found == items_.end() ? 0 : found->second.next;
}

HTREEITEM TreeListData::previous(HTREEITEM item) const {
    const auto found = items_.find(item);
    return found == items_.end() ? 0 : found->second.previous;
}

const TreeListCell* TreeListData::cell(HTREEITEM item, int column) const {
    const auto found = items_.find(item);
    if (found == items_.end() || column < 0 || column >= cellColumnCount()) {
        return nullptr;
    }
    const auto& cells = found->second.cells;
    if (static_cast<size_t>(column) >= cells.size()) {
        return &kEmptyCell;
    }
    return &cells[static_cast<size_t>(column)];
}

TreeListCell* TreeListData::mutableCell(HTREEITEM item, int column) {
    const auto found = items_.find(item);
    if (found == items_.end() || column < 0 || column >= cellColumnCount()) {
        return nullptr;
    }
    auto& cells = found->second.cells;
    if (static_cast<size_t>(column) >= cells.size()) {
        cells.resize(static_cast<size_t>(column) + 1);
    }
    return &cells[static_cast<size_t>(column)];
}

}  // namespace lumetra
