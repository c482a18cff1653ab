// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

#include "simulation/ClimateTables.h"
#include "simulation/HourlyBalance.h"

namespace lumetra::simulation {

// The calendar of the reference year: 2025, a common year that begins on a Wednesday.
inline constexpr int kReferenceYear = 2025;

inline constexpr std::array<int, 12> kDaysInMonth = {31, 28, 31, 30, 31, 30,
                                                     31, 31, 30, 31, 30, 31};

// Day (0-based) on which each month begins, and one past the last day.
inline constexpr std::array<int, 13> kMonthStartDay = {0,   31,  59,  90,  120, 151, 181,
                                                       212, 243, 273, 304, 334, 365};

// The month (0..11) of a day 0..364.
int monthOfDay(int day);

// 0 = Monday .. 6 = Sunday.
int weekdayOfDay(int day);

// Germany's nationwide public holidays of the reference year: New Year, Good Friday, Easter
// Monday, Labour Day, Ascension, Whit Monday, German Unity Day, Christmas Day, Boxing Day.
bool isPublicHoliday(int day);

// The day type of the standard load profile: Sundays and public holidays count as Sundays;
// 24 and 31 December count as Saturdays when they fall on a working day, as the profile's
// publisher prescribes.
DayType dayTypeOfDay(int day);

}  // namespace lumetra::simulation
