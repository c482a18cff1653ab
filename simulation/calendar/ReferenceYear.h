// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

namespace lumetra::simulation {

// The reference year every model of the hourly balance counts in: 2025, a common year that
// begins on a Wednesday, 365 days of 96 quarter hours in local standard time (no daylight
// saving), day 0 = 1 January.
inline constexpr int kReferenceYear = 2025;
inline constexpr int kStepsPerHour = 4;
inline constexpr int kStepsPerDay = 24 * kStepsPerHour;
inline constexpr int kDaysPerYear = 365;
inline constexpr int kHoursPerYear = 24 * kDaysPerYear;         // 8,760
inline constexpr int kStepCount = kDaysPerYear * kStepsPerDay;  // 35,040
inline constexpr double kStepHours = 1.0 / kStepsPerHour;

using MonthArray = std::array<double, 12>;  // January .. December
using DayArray = std::array<double, kDaysPerYear>;

inline constexpr std::array<int, 12> kDaysInMonth = {31, 28, 31, 30, 31, 30,
                                                     31, 31, 30, 31, 30, 31};

// Day (0-based) on which each month begins, and one past the last day.
inline constexpr std::array<int, 13> kMonthStartDay = {0,   31,  59,  90,  120, 151, 181,
                                                       212, 243, 273, 304, 334, 365};

// The day types of the household standard load profile.
enum class DayType { Saturday = 0, SundayOrHoliday = 1, WorkingDay = 2 };

}  // namespace lumetra::simulation
