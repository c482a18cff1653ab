// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "model/CalculatorState.h"

namespace lumetra {

class Calculator;

// The data file: one line per quantity and seven lines per module-field row, each of the form
// "name = value unit". Entries 0..41 are the quantities, entries 42..48 the table columns 1..7.
inline constexpr int kDataFileEntryCount = 49;
inline constexpr int kFirstColumnEntry = 42;
// The table columns a row's lines write: 1..7.
inline constexpr int kRowColumnCount = 7;

// The name and the unit of an entry as the file writes them: padded with blanks to 22 and 8
// characters.
std::string paddedEntryName(int entry);
std::string paddedEntryUnit(int entry);

// One quantity line, "name      = value unit" and "  *" for a Vorgabe, with its line feed.
std::string formatQuantityLine(int quantity, double value, bool preset);
// One row line, "[nn] name = value unit", with its line feed; `column` is 1..7.
std::string formatRowLine(int rowNumber, int column, double value);
// A value as a row line writes it.
std::string formatRowValue(double value);

// The quantity lines of the value store, as a save writes them.
std::string quantityLinesText(const CalculatorState& state);
std::string quantityLinesText(const QuantityValues& values, const QuantityFlags& preset);

// What saving writes now: the 42 quantity lines from the value store, then the seven lines of
// every field row with their cell numbers; rows are numbered from the top, the placeholder
// counted. UTF-8, as a text in memory.
std::string dataFileText(const Calculator& calculator);

// The same as the bytes of the file (Windows-1252, line feeds only).
std::string dataFileBytes(const Calculator& calculator);

}  // namespace lumetra
