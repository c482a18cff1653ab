// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/ModuleFieldTable.h"

namespace lumetra {

class CTreeListCtrl;

// The module-field table port over the tree-list control: the control's rows under the root,
// in display order, and its cell texts are the store. Texts are converted between UTF-8 and
// QString here and nowhere else.
class TreeListTable final : public ModuleFieldTable {
  public:
    explicit TreeListTable(CTreeListCtrl& control) : control_(control) {}

    RowHandle firstRow() const override;
    RowHandle nextRow(RowHandle row) const override;
    RowHandle previousRow(RowHandle row) const override;
    std::string cellText(RowHandle row, int column) const override;
    void setCellText(RowHandle row, int column, std::string_view text) override;
    int rowIndex(RowHandle row) const override;
    int rowCount() const override;
    void setCellBackground(RowHandle row, int column, std::optional<Rgb> colour) override;
    RowHandle insertRow(RowPosition position, RowHandle after = kNoRow) override;
    bool deleteRow(RowHandle row) override;
    void setFocusedRow(RowHandle row) override;
    std::uint64_t changeCount() const override;
    std::vector<RowHandle> rowsChangedSince(std::uint64_t since) const override;
    std::uint64_t layoutChangeCount() const override;

  private:
    CTreeListCtrl& control_;
};

// Sets up the control as the main dialog's table: extended styles, the hidden tree column and
// the seven data columns with their weights, and the editors with their preset lists.
void setUpModuleFieldColumns(CTreeListCtrl& control);

}  // namespace lumetra
