#pragma once

#include <string_view>

#include "model/ModuleFieldTable.h"

namespace lumetra {

// The leading decimal number of a text ("5,5 m" is 5.5, "1 000" is 1000); 0.0 when none.
double ParseLeadingNumber(std::string_view text);

// The number a cell text stands for; a preset text such as "(Westen)" + no-break space +
// "  90°" reads as its number after the no-break space.
double readCellValue(std::string_view text);

// Derives the missing one of width, height and area of one row and writes it into its cell.
// `mode` is -1 (complete the row from its cells) or the column the user has just finished
// editing, whose new text (not yet stored by the table) is `newText`.
void completeModuleFieldRow(ModuleFieldTable& table, RowHandle row, int mode,
                            std::string_view newText);

// Rewrites columns 1..5 of every row but the placeholder into their display form and colours
// out-of-range cells pale red.
void formatModuleFieldRows(ModuleFieldTable& table, RowHandle placeholderRow);

}  // namespace lumetra
