// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/CalculatorState.h"
#include "model/ModuleFieldRowCache.h"

namespace lumetra {

class Calculator;

// The data set as it was when it was last loaded or saved, or when the window opened: what a
// save would have written then. The data set has changes that closing would lose exactly when a
// save would now write other bytes.
//
// It is kept in parts, the quantity lines and each table line's numbers as the file writes
// them, so that a comparison formats only the rows changed since the one before: with ten
// thousand rows the whole file takes tens of milliseconds to format, a refresh tick has less.
class DataSetBaseline {
  public:
    // What a save would write now becomes the baseline.
    void take(const Calculator& calculator);

    // Whether a save would now write something other than the baseline.
    bool differs(const Calculator& calculator) const;

    // Runs the calculator's refresh tick. Putting the table's cells into their display form
    // rounds the numbers they show, but it is no change of the user's: a data set that equalled
    // the baseline before the tick is the baseline after it. Returns what the tick returns
    // (whether the chart must be redrawn).
    bool refreshTick(Calculator& calculator);

  private:
    // What a save wrote at the baseline, in parts: the quantities, and each table line's seven
    // numbers (the placeholder's empty). Two data sets write the same bytes exactly when their
    // parts are equal, as a row line's number follows from its place.
    //
    // The quantities are kept as numbers and their lines formatted only when the numbers are
    // not the very same: formatting them costs more than the rest of a refresh tick, and
    // numbers that differ may still write the same line.
    QuantityValues values_{};
    QuantityFlags preset_{};
    mutable std::optional<std::string> quantities_;
    std::vector<std::string> rows_;
    // The numbers of each row as last formatted.
    mutable ChangedRowValues<std::string> rowNumbers_;
};

}  // namespace lumetra
