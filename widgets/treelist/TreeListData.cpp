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
    for (auto& [handle, item] : items_) {
        if (static_cast<int>(item.cells.size()) > index) {
            item.cells.insert(item.cells.begin() + index, TreeListCell{});
        }
    }
    return index;
}

HTREEITEM TreeListData::insertItem(HTREEITEM after) {
    auto position = order_.end();
    if (after == TVI_FIRST) {
        position = order_.begin();
    } else if (after != TVI_LAST) {
        const auto found = std::find(order_.begin(), order_.end(), after);
        if (found == order_.end()) {
            return 0;
        }
        position = found + 1;
    }
    const HTREEITEM handle = nextHandle_++;
    order_.insert(position, handle);
    items_.emplace(handle, TreeListItem{});
    return handle;
}

bool TreeListData::deleteItem(HTREEITEM item) {
    if (items_.erase(item) == 0) {
        return false;
    }
    order_.erase(std::find(order_.begin(), order_.end(), item));
    return true;
}

void TreeListData::deleteAll() {
    order_.clear();
    items_.clear();
}

int TreeListData::rowIndex(HTREEITEM item) const {
    const auto found = std::find(order_.begin(), order_.end(), item);
    return found == order_.end() ? -1 : static_cast<int>(found - order_.begin());
}

HTREEITEM TreeListData::itemAt(int row) const {
    if (row < 0 || row >= itemCount()) {
        return 0;
    }
    return order_[static_cast<size_t>(row)];
}

HTREEITEM TreeListData::next(HTREEITEM item) const {
    const int row = rowIndex(item);
    return row < 0 ? 0 : itemAt(row + 1);
}

HTREEITEM TreeListData::previous(HTREEITEM item) const {
    const int row = rowIndex(item);
    return row <= 0 ? 0 : itemAt(row - 1);
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
