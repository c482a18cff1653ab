// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

namespace lumetra::simulation {

// An hourly series of a year as a function of time: value k holds at k + `instant_h` hours,
// straight lines between them, and the year wraps around (the last hour leads into the first).
// Times in hours on the series' own clock, any value. The values are referred to, not copied.
class HourlySeries {
  public:
    HourlySeries(const std::vector<float>& values, double instant_h);

    // The value at a moment.
    double at(double hour) const;
    // The mean from `from_h` to `to_h` (to_h > from_h): the exact integral of the lines, so
    // that the means of the quarter hours of a year add up to the values' sum times one hour.
    double meanOver(double from_h, double to_h) const;

  private:
    // The integral from the first value's instant to `hour`.
    double integralTo(double hour) const;
    const std::vector<float>& values_;
    double instant_h_ = 0;
    std::vector<double> prefix_;  // the integral up to each value's instant
    double period_ = 0;           // the integral over the year
};

}  // namespace lumetra::simulation
