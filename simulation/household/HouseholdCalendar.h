// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "simulation/household/HouseholdTables.h"

namespace lumetra::simulation {

inline constexpr int kHouseholdDays = 365;
inline constexpr int kMinutesPerDay = 1440;
inline constexpr int kMinutesPerYear = kHouseholdDays * kMinutesPerDay;  // 525,600
inline constexpr int kPeriodsPerYear = kHouseholdDays * kPeriodsPerDay;  // 52,560
inline constexpr int kQuarterHoursPerYear = kHouseholdDays * 96;         // 35,040
// Clocks change at 02:00 local standard time (01:00 UTC in Central Europe).
inline constexpr int kClockChangeMinute = 120;

// What the home needs of the year's calendar, whose day 0 is 1 January.
struct HouseholdCalendar {
    std::array<DayKind, kHouseholdDays> days{};
    // The day on which daylight saving time begins, and the day on which it ends (each at
    // kClockChangeMinute of standard time); -1 for none.
    int daylightSavingFirstDay = -1;
    int daylightSavingLastDay = -1;
};

// The reference year of the hourly balance (simulation/ReferenceCalendar): Saturdays, Sundays
// and Germany's nationwide public holidays are weekend days; daylight saving time from the last
// Sunday in March to the last Sunday in October, as in the European Union.
HouseholdCalendar referenceHouseholdCalendar();

// The home's clock in one ten-minute period of the balance's axis (local standard time):
// during daylight saving time people live an hour ahead, so the home's 07:00 is 06:00 there.
struct ClockPeriod {
    std::uint8_t dayKind = 0;     // DayKind of the clock's day
    std::uint8_t period = 0;      // the clock's period of the day, 0..143
    bool startsClockDay = false;  // the clock's day begins with this period
};

// The clock of each of the year's 52,560 periods.
std::vector<ClockPeriod> clockPeriods(const HouseholdCalendar& calendar);

}  // namespace lumetra::simulation
