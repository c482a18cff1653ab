// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <vector>

#include "simulation/HourlyBalance.h"

namespace lumetra::evaluation {

// The first day (0 = 1 January) and the number of days of a month (0 = January) of the
// reference year of 365 days.
int firstDayOfMonth(int month);
int daysInMonth(int month);

// The average day of a month in quarter hours, as mean power in kW over each quarter hour.
// Battery: positive while it discharges into the house, negative while it charges. Grid:
// positive while buying, negative while feeding in.
struct DayProfile {
    std::array<double, simulation::kStepsPerDay> pv{};
    std::array<double, simulation::kStepsPerDay> demand{};
    std::array<double, simulation::kStepsPerDay> battery{};
    std::array<double, simulation::kStepsPerDay> grid{};
};
DayProfile averageDay(const simulation::StepSeries& steps, int month);

// The battery's state of charge per day in kWh: lowest, mean and highest of the day's steps.
struct DailyRange {
    double minimum = 0;
    double mean = 0;
    double maximum = 0;
};
std::vector<DailyRange> dailyStateOfCharge(const simulation::StepSeries& steps);

// PV surplus (positive) or deficit (negative) in kWh per hour of the year: day-major, 24
// values a day, 365 days.
std::vector<double> hourlySurplus(const simulation::StepSeries& steps);

}  // namespace lumetra::evaluation
