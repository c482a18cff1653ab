// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/household/HouseholdCalendar.h"

#include <gtest/gtest.h>

namespace lumetra::simulation {
namespace {

TEST(HouseholdCalendarTest, HomeClockRunsAnHourAheadInSummerTime) {
    const HouseholdCalendar calendar = referenceHouseholdCalendar();
    // 2025: summer time from Sunday 30 March to Sunday 26 October.
    EXPECT_EQ(calendar.daylightSavingFirstDay, 88);
    EXPECT_EQ(calendar.daylightSavingLastDay, 298);
    EXPECT_EQ(calendar.days[0], DayKind::WeekendOrHoliday);  // New Year
    EXPECT_EQ(calendar.days[1], DayKind::WorkingDay);        // Thursday
    EXPECT_EQ(calendar.days[4], DayKind::WeekendOrHoliday);  // Sunday
    const std::vector<ClockPeriod> clock = clockPeriods(calendar);
    const auto at = [&](int day, int hour, int minute) {
        return clock[static_cast<std::size_t>((day * 24 + hour) * 6 + minute / 10)];
    };
    EXPECT_EQ(at(15, 6, 0).period, 36);          // January: 06:00 is 06:00
    EXPECT_EQ(at(180, 6, 0).period, 42);         // July: 06:00 standard time is 07:00
    EXPECT_EQ(at(88, 1, 50).period, 11);         // the spring night: 01:50 ...
    EXPECT_EQ(at(88, 2, 0).period, 18);          // ... then 03:00
    EXPECT_EQ(at(298, 1, 50).period, 17);        // the autumn night: 02:50 ...
    EXPECT_EQ(at(298, 2, 0).period, 12);         // ... then 02:00 again
    EXPECT_TRUE(at(180, 23, 0).startsClockDay);  // the clock's midnight
    EXPECT_EQ(at(180, 23, 0).period, 0);
}

}  // namespace
}  // namespace lumetra::simulation
