// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/calendar/ReferenceCalendar.h"

#include <algorithm>

namespace lumetra::simulation {

namespace {

// Easter Sunday of a Gregorian year as a day of the year (0-based), by the anonymous
// Gregorian algorithm (Meeus, "Astronomical Algorithms", 1991, chapter 8).
constexpr int easterSunday(int year) {
    const int a = year % 19;
    const int b = year / 100;
    const int c = year % 100;
    const int d = b / 4;
    const int e = b % 4;
    const int f = (b + 8) / 25;
    const int g = (b - f + 1) / 3;
    const int h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4;
    const int k = c % 4;
    const int l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    const int month = (h + l - 7 * m + 114) / 31;  // 3 = March, 4 = April
    const int dayOfMonth = (h + l - 7 * m + 114) % 31 + 1;
    return kMonthStartDay[static_cast<std::size_t>(month - 1)] + dayOfMonth - 1;
}

constexpr int dayOf(int month, int dayOfMonth) {
    return kMonthStartDay[static_cast<std::size_t>(month - 1)] + dayOfMonth - 1;
}

constexpr int kEaster = easterSunday(kReferenceYear);
static_assert(kEaster == dayOf(4, 20), "Easter 2025 falls on 20 April");

constexpr std::array<int, 9> kHolidays = {
    dayOf(1, 1),  kEaster - 2,  kEaster + 1,   dayOf(5, 1),   kEaster + 39,
    kEaster + 50, dayOf(10, 3), dayOf(12, 25), dayOf(12, 26),
};

}  // namespace

int monthOfDay(int day) {
    const auto it = std::upper_bound(kMonthStartDay.begin() + 1, kMonthStartDay.end(), day);
    return static_cast<int>(it - kMonthStartDay.begin()) - 1;
}

int weekdayOfDay(int day) {
    return (day + 2) % 7;  // 1 January 2025 is a Wednesday
}

bool isPublicHoliday(int day) {
    return std::find(kHolidays.begin(), kHolidays.end(), day) != kHolidays.end();
}

DayType dayTypeOfDay(int day) {
    const int weekday = weekdayOfDay(day);
    if (weekday == 6 || isPublicHoliday(day)) {
        return DayType::SundayOrHoliday;
    }
    if (weekday == 5 || day == dayOf(12, 24) || day == dayOf(12, 31)) {
        return DayType::Saturday;
    }
    return DayType::WorkingDay;
}

}  // namespace lumetra::simulation
