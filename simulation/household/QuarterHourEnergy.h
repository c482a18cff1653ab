// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <vector>

#include "simulation/household/HouseholdCalendar.h"

namespace lumetra::simulation {

inline constexpr int kMinutesPerQuarterHour = 15;

// A home's draw summed per quarter hour of the year, in watt-minutes, from one-minute steps.
class QuarterHourEnergy {
  public:
    QuarterHourEnergy() : wattMinutes_(kQuarterHoursPerYear, 0.0) {}

    // `watts` drawn in each minute of [beginMinute, endMinute) of the year.
    void add(int beginMinute, int endMinute, double watts) {
        endMinute = std::min(endMinute, kMinutesPerYear);
        while (beginMinute < endMinute) {
            const int quarter = beginMinute / kMinutesPerQuarterHour;
            const int stop = std::min(endMinute, (quarter + 1) * kMinutesPerQuarterHour);
            wattMinutes_[static_cast<std::size_t>(quarter)] += watts * (stop - beginMinute);
            beginMinute = stop;
        }
    }

    // The same watts in every minute of the year.
    void addEverywhere(double watts) {
        for (double& sum : wattMinutes_) {
            sum += watts * kMinutesPerQuarterHour;
        }
    }

    double total() const {
        double sum = 0;
        for (double value : wattMinutes_) {
            sum += value;
        }
        return sum;
    }

    const std::vector<double>& wattMinutes() const { return wattMinutes_; }

  private:
    std::vector<double> wattMinutes_;
};

inline constexpr double kWattMinutesPerKilowattHour = 60'000;

}  // namespace lumetra::simulation
