// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <utility>
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

    // The same for `count` consecutive stretches of `step_h` from `start_h` (the means) and at
    // `count` moments `step_h` apart from `first_h` (the values), walking the lines once:
    // a year of quarter hours costs far less than as many single calls.
    void stepMeans(double start_h, double step_h, std::size_t count,
                   std::vector<double>& means) const;
    void stepValues(double first_h, double step_h, std::size_t count,
                    std::vector<double>& values) const;

  private:
    // Where `hour` lies: the value before it and the fraction of the hour since.
    std::pair<std::size_t, double> position(double hour) const;
    // The integral over `span` hours from the value `k` and the fraction `f` of its hour on,
    // which are moved to the stretch's end.
    double integrate(std::size_t& k, double& f, double span) const;
    const std::vector<float>& values_;
    double instant_h_ = 0;
};

}  // namespace lumetra::simulation
