// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdio>
#include <functional>
#include <map>
#include <optional>
#include <string_view>

#include "model/ModuleFieldTable.h"
#include "model/Quantity.h"

namespace lumetra {

// Lines are read in pieces of at most this many bytes, each piece counting as a line. Wide
// enough for the longest line the writer can produce (a double's integer part has up to 309
// digits), so that everything saved reads back.
inline constexpr std::size_t kDataFileLinePiece = 1023;

// Row numbers the reader keeps, as many as a table holds fields; a line with a higher number
// counts as recognised and is otherwise ignored, as is one with a number below 1.
inline constexpr int kMaxDataFileRowNumber = kMaxModuleFields;

// What one load took from a data file, before anything is applied to the calculator.
struct DataFileReading {
    std::array<bool, kQuantityCount> read{};     // the quantity had a line
    std::array<double, kQuantityCount> value{};  // the value of its last line
    std::array<bool, kQuantityCount> marked{};   // one of its lines carried "*" after the "="
    // Cell numbers of columns 1..7 by row number (1..kMaxDataFileRowNumber), from the last
    // line of each cell; a cell without a line stays empty.
    std::map<int, std::array<std::optional<double>, 7>> rows;
    std::size_t recognisedLines = 0;
    // Reading the file broke off with an error: what was read is not the whole file.
    bool readFailed = false;
    // The file is larger than any data file (kMaxReadFileSize); reading stopped there.
    bool tooLarge = false;
};

// Reads a data file line by line.
//
// How a line finds its entry: the label (the text before the first "=", after the row prefix,
// without surrounding blanks) must equal an entry's name exactly, so that a name contained in a
// longer one ("Globalstrahlung" in "Globalstrahlung max.", "Strombezug" in "Preis Strombezug")
// never matches the longer one. Where several entries share the name, the line's other marks
// decide, in this order:
//   1. its row prefix: a line with "[n]" goes to a table column when one has the name, a line
//      without to a quantity ("Ertrag" is quantity 11 without and column 7 with a prefix);
//   2. its unit, the text after the number (15 "l/Tag" and 16 "m³/Jahr");
//   3. its position: quantity lines are written in index order, so it goes to the first of the
//      remaining quantities that comes after the last quantity read (12 and 14, which share
//      name and unit); with none after it, to the first of them.
class DataFileReader {
  public:
    // One line (a piece of at most kDataFileLinePiece bytes, Windows-1252 or UTF-8).
    void readLine(std::string_view bytes);

    const DataFileReading& reading() const { return reading_; }

  private:
    DataFileReading reading_;
    int lastQuantity_ = -1;
};

// Sees every line of a data file as it is read: the line's number (from 1) and its bytes with
// the line end (a line longer than kDataFileLinePiece arrives in pieces of the same number).
// Lines the calculator does not know are for the program's additions to read.
using DataFileLineObserver = std::function<void(std::size_t lineNumber, std::string_view line)>;

// Reads every line of a data file (bytes in memory or an open file), in one pass that also
// shows each line to `observer`. A UTF-8 byte-order mark at the very start is passed over.
DataFileReading readDataFile(std::string_view bytes, const DataFileLineObserver& observer = {});
DataFileReading readDataFile(std::FILE* file, const DataFileLineObserver& observer = {});

// The number at the front of a text as the reader takes it: leading white space, an optional
// sign, digits with an optional decimal point, an optional exponent; a comma ends it. No number
// gives 0; a number beyond the range of a double gives the largest double of its sign.
double readDecimalNumber(std::string_view text, std::size_t* consumed = nullptr);

}  // namespace lumetra
