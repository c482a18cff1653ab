// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TreeListTable.h"

#include <QString>

#include "energy/ModuleFieldColumns.h"
#include "widgets/treelist/CTreeListCtrl.h"

namespace lumetra {

namespace {

// Extended style words while the columns are created and afterwards.
constexpr unsigned kColumnSetupStyle = 0x408F0000;
constexpr unsigned kTableStyle =
    TLXS_GRIDLINES | TLXS_ALTERNATEROWS | TLXS_CELLFOCUS | TLXS_CTRLHOMEEND;

constexpr int kEditBoxFlags = 0x06;
constexpr int kListFlags = 0x8E;

struct ColumnSetup {
    const char* header;
    int weight;
};
constexpr ColumnSetup kColumns[] = {
    {"Breite", 40},          {"Höhe", 40},   {"Fläche", 40}, {"Ausrichtung", 40}, {"Winkel", 40},
    {"Leistung (peek)", 40}, {"Ertrag", 60},
};

}  // namespace

RowHandle TreeListTable::firstRow() const {
    return control_.GetNextItem(TVI_ROOT, TLGN_NEXTINLIST);
}

RowHandle TreeListTable::nextRow(RowHandle row) const {
    return row == kNoRow ? kNoRow : control_.GetNextItem(row, TVGN_NEXT);
}

RowHandle TreeListTable::previousRow(RowHandle row) const {
    return row == kNoRow ? kNoRow : control_.GetNextItem(row, TVGN_PREVIOUS);
}

std::string TreeListTable::cellText(RowHandle row, int column) const {
    if (row == kNoRow) {
        return {};
    }
    return control_.GetItemText(row, column).toStdString();
}

void TreeListTable::setCellText(RowHandle row, int column, std::string_view text) {
    if (row == kNoRow) {
        return;
    }
    control_.SetItemText(row, column,
                         QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

int TreeListTable::rowIndex(RowHandle row) const {
    return row == kNoRow ? -1 : control_.GetRowIndex(row);
}

int TreeListTable::rowCount() const {
    return control_.GetCount();
}

void TreeListTable::setCellBackground(RowHandle row, int column, std::optional<Rgb> colour) {
    if (row == kNoRow) {
        return;
    }
    control_.SetCellBkColor(
        row, column, colour ? treeListRgb(colour->r, colour->g, colour->b) : kTreeListDefaultColor);
}

RowHandle TreeListTable::insertRow(RowPosition position, RowHandle after) {
    HTREEITEM insertAfter = TVI_LAST;
    switch (position) {
        case RowPosition::First:
            insertAfter = TVI_FIRST;
            break;
        case RowPosition::Last:
            insertAfter = TVI_LAST;
            break;
        case RowPosition::After:
            if (after == kNoRow) {
                return kNoRow;
            }
            insertAfter = after;
            break;
    }
    return control_.InsertItem(QString(), TVI_ROOT, insertAfter);
}

bool TreeListTable::deleteRow(RowHandle row) {
    return row != kNoRow && control_.DeleteItem(row);
}

void TreeListTable::setFocusedRow(RowHandle row) {
    control_.SetFocusCell(row, -1);
}

std::uint64_t TreeListTable::changeCount() const {
    return control_.GetChangeCount();
}

std::vector<RowHandle> TreeListTable::rowsChangedSince(std::uint64_t since) const {
    const std::vector<HTREEITEM> items = control_.GetItemsChangedSince(since);
    return {items.begin(), items.end()};
}

std::uint64_t TreeListTable::layoutChangeCount() const {
    return control_.GetLayoutChangeCount();
}

void setUpModuleFieldColumns(CTreeListCtrl& control) {
    control.SetExtendedStyle(0, kColumnSetupStyle);
    control.InsertColumn(0, QString(), TLCFMT_LEFT, 0);
    int index = ColumnWidth;
    for (const ColumnSetup& column : kColumns) {
        control.InsertColumn(index++, QString::fromUtf8(column.header), TLCFMT_RIGHT,
                             -column.weight);
    }
    control.SetColumn(0, true, 0);
    control.SetExtendedStyle(0, kTableStyle);
    for (int column = ColumnWidth; column <= ColumnArea; ++column) {
        control.SetCellEditor(column, EditorEditBox, kEditBoxFlags);
    }
    control.SetCellEditor(ColumnAzimuth, EditorDropDown, kListFlags, kOrientationPresets.data());
    control.SetCellEditor(ColumnTilt, EditorDropDown, kListFlags, kTiltPresets.data());
}

}  // namespace lumetra
