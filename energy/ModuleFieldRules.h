// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "model/ModuleFieldRowCache.h"
#include "model/ModuleFieldTable.h"

namespace lumetra {

// The leading decimal number of a text ("5,5 m" is 5.5, "1 000" is 1000); 0.0 when none.
// Only the first 63 characters are looked at; there is no exponent ("1e3" is 1).
double ParseLeadingNumber(std::string_view text);

// The number a cell text stands for; a preset text such as "(Westen)" + no-break space +
// "  90°" reads as its number after the no-break space.
double readCellValue(std::string_view text);

// The text a derived width, height or area is written as: six significant digits in plain
// decimal notation, never with an exponent (which ParseLeadingNumber would not read), without
// trailing zeros or a trailing point ("10", "1.6", "1000000", "0.000025").
std::string formatDerivedValue(double value);

// Derives the missing one of width, height and area of one row and writes it into its cell.
// `mode` is -1 (complete the row from its cells) or the column the user has just finished
// editing, whose new text (not yet stored by the table) is `newText`.
void completeModuleFieldRow(ModuleFieldTable& table, RowHandle row, int mode,
                            std::string_view newText);

// Rewrites columns 1..5 of every row but the placeholder into their display form and colours
// out-of-range cells pale red.
void formatModuleFieldRows(ModuleFieldTable& table, RowHandle placeholderRow);

// The same for the rows changed since the last call with `cache` (every row on the first
// call, or for another table): the table then looks as formatModuleFieldRows would leave it.
void formatChangedModuleFieldRows(ModuleFieldTable& table, RowHandle placeholderRow,
                                  RowFormatCache& cache);

}  // namespace lumetra
