// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "model/ModuleFieldTable.h"

namespace lumetra {

class Calculator;

// The table's opening content: one field (width 5, height 2, orientation 0, tilt 30) and the
// placeholder row below it, whose handle is kept in the calculator's state.
void insertOpeningRows(Calculator& calculator);

// Whether the table takes another module field: it holds at most kMaxModuleFields besides the
// placeholder row. Typing into the placeholder row of a full table changes nothing.
bool canAddModuleField(const Calculator& calculator);

// What the user is told when the placeholder row of a full table was typed into.
inline constexpr char kModuleFieldLimitMessage[] =
    "Die Tabelle hat bereits 10.000 Modulfelder; mehr kann eine Datendatei nicht aufnehmen.";

// The end of an in-place cell edit: `text` is null when the edit was cancelled, `textChanged`
// tells whether the text was changed while editing. Returns true when the table should store
// the editor's text in the cell, false when it must leave the cell (and perhaps the row, which
// may have been deleted) alone.
bool endCellEdit(Calculator& calculator, RowHandle row, int column, const std::string* text,
                 bool textChanged);

// Whether "Zeile löschen" is offered enabled for the row under the cursor (kNoRow when none).
bool canDeleteRow(const Calculator& calculator, RowHandle menuRow);

// "Zeile löschen": deletes the row (kNoRow deletes nothing) and requests the yield solve.
void deleteRowCommand(Calculator& calculator, RowHandle menuRow);

}  // namespace lumetra
