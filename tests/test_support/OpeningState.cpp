// SPDX-License-Identifier: GPL-3.0-or-later
#include "test_support/OpeningState.h"

#include <vector>

#include "calculator/ModuleFieldEditing.h"

namespace lumetra::test {

OpeningState::OpeningState(bool open) {
    fields.setTextChangedHandler([this](QuantityId q) { calculator.onFieldTextChanged(q); });
    if (open) {
        calculator.openDialog();
    }
}

void OpeningState::runPosted() {
    while (!posted.empty()) {
        auto call = std::move(posted.front());
        posted.pop_front();
        call();
    }
}

void OpeningState::type(QuantityId q, std::string_view text) {
    fields.setFocusedField(q);
    fields.setFieldText(q, text);
    fields.setFocusedField(std::nullopt);
    calculator.onFieldFocusLost(q);
}

void OpeningState::editCell(RowHandle row, int column, const std::string& text) {
    if (endCellEdit(calculator, row, column, &text, true)) {
        table.setCellText(row, column, text);
    }
    runPosted();
}

RowHandle OpeningState::randomRow(std::mt19937& random) const {
    std::vector<RowHandle> rows;
    for (RowHandle row = table.firstRow(); row != kNoRow; row = table.nextRow(row)) {
        rows.push_back(row);
    }
    std::uniform_int_distribution<int> pick(0, static_cast<int>(rows.size()) - 1);
    return rows[static_cast<std::size_t>(pick(random))];
}

}  // namespace lumetra::test
