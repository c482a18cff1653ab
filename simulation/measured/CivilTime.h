// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace lumetra::simulation {

// Dates of the proleptic Gregorian calendar counted as days since 1 January 1970, and clock
// times as minutes since its midnight, by the algorithms of H. Hinnant, "chrono-Compatible
// Low-Level Date Algorithms" (2013): days_from_civil and civil_from_days.
struct CivilDate {
    int year = 1970;
    int month = 1;  // 1..12
    int day = 1;    // 1..31
};

inline constexpr std::int64_t kMinutesPerCivilDay = 1440;

std::int64_t daysFromCivil(const CivilDate& date);
CivilDate civilFromDays(std::int64_t days);
bool isLeapYear(int year);
int daysInMonth(int year, int month);
// 0 = Monday .. 6 = Sunday.
int weekdayOfDays(std::int64_t days);
// Floor division of minutes into days (also before 1970).
std::int64_t dayOfMinute(std::int64_t minutes);

// Summer time in the European Union: from 01:00 UTC on the last Sunday in March to 01:00 UTC
// on the last Sunday in October (Directive 2000/84/EC). Minutes since 1970 in UTC.
struct SummerTime {
    std::int64_t begin_utc = 0;
    std::int64_t end_utc = 0;
};
SummerTime europeanSummerTime(int year);

// "dd.mm.yyyy hh:mm" of a minute since 1970.
std::string germanDateTime(std::int64_t minutes);

}  // namespace lumetra::simulation
