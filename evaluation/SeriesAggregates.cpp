// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/SeriesAggregates.h"

#include <algorithm>

namespace lumetra::evaluation {

namespace {

constexpr std::array<int, 12> kMonthDays{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

bool complete(const simulation::StepSeries& steps) {
    const auto n = static_cast<std::size_t>(simulation::kStepCount);
    return steps.pv.size() == n && steps.demand.size() == n && steps.batteryCharge.size() == n &&
           steps.batteryDischarge.size() == n && steps.purchase.size() == n &&
           steps.feedIn.size() == n && steps.stateOfCharge.size() == n;
}

}  // namespace

int firstDayOfMonth(int month) {
    int day = 0;
    for (int m = 0; m < std::clamp(month, 0, 11); ++m) {
        day += kMonthDays[static_cast<std::size_t>(m)];
    }
    return day;
}

int daysInMonth(int month) {
    return kMonthDays[static_cast<std::size_t>(std::clamp(month, 0, 11))];
}

DayProfile averageDay(const simulation::StepSeries& steps, int month) {
    DayProfile profile;
    if (!complete(steps)) {
        return profile;
    }
    const int first = firstDayOfMonth(month);
    const int days = daysInMonth(month);
    // kWh per quarter hour, averaged over the days, is kW x 0.25.
    const double toKw = 1.0 / (days * simulation::kStepHours);
    for (int day = first; day < first + days; ++day) {
        for (int q = 0; q < simulation::kStepsPerDay; ++q) {
            const auto i = static_cast<std::size_t>(day * simulation::kStepsPerDay + q);
            const auto s = static_cast<std::size_t>(q);
            profile.pv[s] += steps.pv[i] * toKw;
            profile.demand[s] += steps.demand[i] * toKw;
            profile.battery[s] += (steps.batteryDischarge[i] - steps.batteryCharge[i]) * toKw;
            profile.grid[s] += (steps.purchase[i] - steps.feedIn[i]) * toKw;
        }
    }
    return profile;
}

std::vector<DailyRange> dailyStateOfCharge(const simulation::StepSeries& steps) {
    std::vector<DailyRange> days;
    if (!complete(steps)) {
        return days;
    }
    days.reserve(simulation::kDaysPerYear);
    for (int day = 0; day < simulation::kDaysPerYear; ++day) {
        const auto begin = steps.stateOfCharge.begin() + day * simulation::kStepsPerDay;
        const auto end = begin + simulation::kStepsPerDay;
        const auto [low, high] = std::minmax_element(begin, end);
        double sum = 0;
        for (auto it = begin; it != end; ++it) {
            sum += *it;
        }
        days.push_back({*low, sum / simulation::kStepsPerDay, *high});
    }
    return days;
}

std::vector<double> hourlySurplus(const simulation::StepSeries& steps) {
    std::vector<double> hours;
    if (!complete(steps)) {
        return hours;
    }
    hours.assign(static_cast<std::size_t>(simulation::kDaysPerYear) * 24, 0.0);
    for (std::size_t i = 0; i < steps.pv.size(); ++i) {
        hours[i / simulation::kStepsPerHour] += steps.pv[i] - steps.demand[i];
    }
    return hours;
}

}  // namespace lumetra::evaluation
