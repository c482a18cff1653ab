// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The data of the tree-list control: columns, items in display order, and their cells. Plain
// containers that draw nothing; CTreeListCtrl owns them and is their only user.

#include <QString>

#include <algorithm>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "widgets/treelist/TreeListDefs.h"

namespace lumetra {

struct TreeListColumn {
    QString text;
    int format = TLCFMT_LEFT;
    int width = 0;   // fixed width in pixels (used when weight is 0)
    int weight = 0;  // 1..255: share of the width left over by the fixed columns
    int limit = 16;  // smallest width in pixels a weighted column is given
    bool collapsed = false;
    int savedWidth = 100;  // the former setting of a collapsed column
    int savedWeight = 0;
    int editorKind = EditorNone;
    int editorFlags = 0;
    const char* const* editorList = nullptr;  // not owned; must outlive the control
    const char* editorText = nullptr;         // not owned; entries split at editorSeparator
    char editorSeparator = '|';
    int editorMaxEntries = kMaxListEntries;
};

struct TreeListCell {
    QString text;
    TreeListColor background = kTreeListDefaultColor;
    TreeListColor foreground = kTreeListDefaultColor;
};

struct TreeListItem {
    std::vector<TreeListCell> cells;  // grows on demand; a missing cell has no text
    HTREEITEM previous = 0;           // neighbours in display order; 0 at either end
    HTREEITEM next = 0;
    std::uint64_t changedAt = 0;   // the change count of the item's latest change
    HTREEITEM recentPrevious = 0;  // neighbours in the order of change, the latest first
    HTREEITEM recentNext = 0;
};

class TreeListData {
  public:
    int columnCount() const { return static_cast<int>(columns_.size()); }
    const TreeListColumn* column(int index) const;
    TreeListColumn* column(int index);
    // Inserts before `index` (clamped to the end); returns the index used or -1 when full.
    int insertColumn(int index, TreeListColumn column);

    int itemCount() const { return static_cast<int>(items_.size()); }
    bool contains(HTREEITEM item) const { return items_.count(item) != 0; }
    // Inserts a new item at TVI_FIRST, TVI_LAST or after an existing item; 0 if `after` is
    // none of these.
    HTREEITEM insertItem(HTREEITEM after);
    bool deleteItem(HTREEITEM item);
    void deleteAll();

    // 0-based display row, -1 for an unknown item.
    int rowIndex(HTREEITEM item) const;
    // The same while the order is up to date; -1 (and no rebuilt order) when it is not.
    int rowIndexIfKnown(HTREEITEM item) const;
    HTREEITEM itemAt(int row) const;
    HTREEITEM next(HTREEITEM item) const;
    HTREEITEM previous(HTREEITEM item) const;

    // Change tracking: the count grows with every inserted or deleted item and every item
    // whose texts were changed (reported by noteTextChanged). The layout count is the change
    // count of the latest deletion or insertion anywhere but at the end.
    void noteTextChanged(HTREEITEM item);
    std::uint64_t changeCount() const { return changeCount_; }
    std::uint64_t layoutChangeCount() const { return layoutChangeCount_; }
    // The existing items inserted or changed after the change count stood at `since`, the
    // latest first.
    std::vector<HTREEITEM> itemsChangedSince(std::uint64_t since) const;

    // Null for an unknown item or column; a cell without text has an empty (not null) text.
    const TreeListCell* cell(HTREEITEM item, int column) const;
    // The cell, created on demand; null for an unknown item or column.
    TreeListCell* mutableCell(HTREEITEM item, int column);

  private:
    // The item's own text (column 0) exists even before any column has been inserted.
    int cellColumnCount() const { return std::max(columnCount(), 1); }
    // The items are linked in display order, so that inserting, deleting and walking cost the
    // same for any number of items; display rows come from an order rebuilt on the first
    // question after the items changed (a paint or a walk then pays for it once).
    void refreshOrder() const;
    void link(HTREEITEM item, HTREEITEM previous, HTREEITEM next);
    void unlinkRecent(TreeListItem& entry);
    void linkRecentFirst(HTREEITEM item, TreeListItem& entry);

    std::vector<TreeListColumn> columns_;
    std::unordered_map<HTREEITEM, TreeListItem> items_;
    HTREEITEM first_ = 0;
    HTREEITEM last_ = 0;
    HTREEITEM nextHandle_ = 1;
    mutable std::vector<HTREEITEM> order_;
    mutable std::unordered_map<HTREEITEM, int> rows_;
    mutable bool orderValid_ = true;
    HTREEITEM recentFirst_ = 0;
    std::uint64_t changeCount_ = 0;
    std::uint64_t layoutChangeCount_ = 0;
};

}  // namespace lumetra
