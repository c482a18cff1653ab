// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/household/HouseholdCalendar.h"

#include <algorithm>

#include "simulation/calendar/ReferenceCalendar.h"

namespace lumetra::simulation {

namespace {

constexpr int kSunday = 6;

int lastSundayOf(int month) {
    const int lastDay = kMonthStartDay[static_cast<std::size_t>(month) + 1] - 1;
    return lastDay - (weekdayOfDay(lastDay) - kSunday + 7) % 7;
}

bool isDaylightSaving(const HouseholdCalendar& calendar, int minute) {
    if (calendar.daylightSavingFirstDay < 0 || calendar.daylightSavingLastDay < 0) {
        return false;
    }
    const int begin = calendar.daylightSavingFirstDay * kMinutesPerDay + kClockChangeMinute;
    const int end = calendar.daylightSavingLastDay * kMinutesPerDay + kClockChangeMinute;
    // South of the equator the summer spans the turn of the year.
    return begin <= end ? minute >= begin && minute < end : minute >= begin || minute < end;
}

}  // namespace

HouseholdCalendar referenceHouseholdCalendar() {
    HouseholdCalendar calendar;
    for (int day = 0; day < kHouseholdDays; ++day) {
        const bool weekend = weekdayOfDay(day) >= 5 || isPublicHoliday(day);
        calendar.days[static_cast<std::size_t>(day)] =
            weekend ? DayKind::WeekendOrHoliday : DayKind::WorkingDay;
    }
    calendar.daylightSavingFirstDay = lastSundayOf(2);
    calendar.daylightSavingLastDay = lastSundayOf(9);
    return calendar;
}

std::vector<ClockPeriod> clockPeriods(const HouseholdCalendar& calendar) {
    std::vector<ClockPeriod> periods(kPeriodsPerYear);
    int previousDay = -1;
    for (int p = 0; p < kPeriodsPerYear; ++p) {
        const int minute = p * kPeriodMinutes;
        const int clock = minute + (isDaylightSaving(calendar, minute) ? 60 : 0);
        const int day = std::min(clock / kMinutesPerDay, kHouseholdDays - 1);
        ClockPeriod& period = periods[static_cast<std::size_t>(p)];
        period.dayKind = static_cast<std::uint8_t>(calendar.days[static_cast<std::size_t>(day)]);
        period.period = static_cast<std::uint8_t>(clock % kMinutesPerDay / kPeriodMinutes);
        period.startsClockDay = day != previousDay;
        previousDay = day;
    }
    return periods;
}

}  // namespace lumetra::simulation
