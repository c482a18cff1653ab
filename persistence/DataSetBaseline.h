// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace lumetra {

class Calculator;

// The data set as it was when it was last loaded or saved, or when the window opened: the bytes
// a save would have written then. The data set has changes that closing would lose exactly
// when a save would now write other bytes.
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
    std::string bytes_;
};

}  // namespace lumetra
