// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/measured/CivilTime.h"

namespace lumetra::simulation {

namespace {

constexpr std::int64_t kDaysPerEra = 146'097;  // 400 Gregorian years
constexpr std::int64_t kEpochShift = 719'468;  // from 0000-03-01 to 1970-01-01

std::int64_t floorDivide(std::int64_t value, std::int64_t divisor) {
    return value >= 0 ? value / divisor : -((-value + divisor - 1) / divisor);
}

std::int64_t lastSundayOf(int year, int month) {
    const std::int64_t last = daysFromCivil({year, month, daysInMonth(year, month)});
    return last - (weekdayOfDays(last) + 1) % 7;
}

void appendTwoDigits(std::string& text, std::int64_t value) {
    text.push_back(static_cast<char>('0' + value / 10 % 10));
    text.push_back(static_cast<char>('0' + value % 10));
}

}  // namespace

std::int64_t daysFromCivil(const CivilDate& date) {
    // Years begin in March, so that the leap day is the last of its year.
    const std::int64_t year = date.year - (date.month <= 2 ? 1 : 0);
    const std::int64_t era = floorDivide(year, 400);
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t monthFromMarch = (date.month + 9) % 12;
    const std::int64_t dayOfYear = (153 * monthFromMarch + 2) / 5 + date.day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * kDaysPerEra + dayOfEra - kEpochShift;
}

CivilDate civilFromDays(std::int64_t days) {
    days += kEpochShift;
    const std::int64_t era = floorDivide(days, kDaysPerEra);
    const std::int64_t dayOfEra = days - era * kDaysPerEra;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / (kDaysPerEra - 1)) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
    CivilDate date;
    date.day = static_cast<int>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
    date.month = static_cast<int>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
    date.year = static_cast<int>(yearOfEra + era * 400 + (date.month <= 2 ? 1 : 0));
    return date;
}

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

int weekdayOfDays(std::int64_t days) {
    // 1 January 1970 was a Thursday.
    return static_cast<int>(((days + 3) % 7 + 7) % 7);
}

std::int64_t dayOfMinute(std::int64_t minutes) {
    return floorDivide(minutes, kMinutesPerCivilDay);
}

SummerTime europeanSummerTime(int year) {
    return {lastSundayOf(year, 3) * kMinutesPerCivilDay + 60,
            lastSundayOf(year, 10) * kMinutesPerCivilDay + 60};
}

std::string germanDateTime(std::int64_t minutes) {
    const std::int64_t day = dayOfMinute(minutes);
    const std::int64_t minuteOfDay = minutes - day * kMinutesPerCivilDay;
    const CivilDate date = civilFromDays(day);
    std::string text;
    appendTwoDigits(text, date.day);
    text.push_back('.');
    appendTwoDigits(text, date.month);
    text.push_back('.');
    text += std::to_string(date.year);
    text.push_back(' ');
    appendTwoDigits(text, minuteOfDay / 60);
    text.push_back(':');
    appendTwoDigits(text, minuteOfDay % 60);
    return text;
}

}  // namespace lumetra::simulation
