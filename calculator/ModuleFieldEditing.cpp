// SPDX-License-Identifier: GPL-3.0-or-later
#include "calculator/ModuleFieldEditing.h"

#include "calculator/Calculator.h"
#include "energy/ModuleFieldColumns.h"
#include "energy/ModuleFieldRules.h"

namespace lumetra {

void insertOpeningRows(Calculator& calculator) {
    ModuleFieldTable& table = calculator.table();
    calculator.state().placeholderRow = table.insertRow(RowPosition::Last);
    const RowHandle field = table.insertRow(RowPosition::First);
    // Area, power and yield stay empty: the first solve completes them.
    table.setCellText(field, ColumnWidth, "5");
    table.setCellText(field, ColumnHeight, "2");
    table.setCellText(field, ColumnAzimuth, "0");
    table.setCellText(field, ColumnTilt, "30");
}

bool canAddModuleField(const Calculator& calculator) {
    return calculator.table().rowCount() <= kMaxModuleFields;
}

bool endCellEdit(Calculator& calculator, RowHandle row, int column, const std::string* text,
                 bool textChanged) {
    if (!textChanged) {
        return false;  // cancelled, or ended without a change
    }
    ModuleFieldTable& table = calculator.table();
    CalculatorState& state = calculator.state();

    if (text != nullptr && !text->empty()) {
        if (row == state.placeholderRow) {
            if (!canAddModuleField(calculator)) {
                return false;
            }
            // Typing into the placeholder makes it a field; a new placeholder follows.
            state.placeholderRow = table.insertRow(RowPosition::Last);
        }
        completeModuleFieldRow(table, row, column, *text);
        calculator.requestYieldSolve();
        state.tableRefreshPending = true;
        return true;
    }

    // A cleared cell: the row goes only when it has no other input left.
    for (int k = kFirstInputColumn; k <= kLastInputColumn; ++k) {
        if (k != column && !table.cellText(row, k).empty()) {
            return true;
        }
    }
    if (row != state.placeholderRow) {
        RowHandle next = table.nextRow(row);
        if (next == kNoRow) {
            next = table.previousRow(row);
        }
        table.setFocusedRow(next);
        table.deleteRow(row);
    }
    calculator.requestYieldSolve();
    return false;
}

bool canDeleteRow(const Calculator& calculator, RowHandle menuRow) {
    return menuRow == kNoRow || menuRow != calculator.state().placeholderRow;
}

void deleteRowCommand(Calculator& calculator, RowHandle menuRow) {
    // The placeholder row is never deleted, even when the command reaches it by another way
    // than the menu, which offers it greyed.
    if (menuRow != calculator.state().placeholderRow) {
        calculator.table().deleteRow(menuRow);
    }
    calculator.requestYieldSolve();
}

}  // namespace lumetra
