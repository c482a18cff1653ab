// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/measured/MeasuredText.h"

#include <gtest/gtest.h>

#include "simulation/measured/CivilTime.h"

namespace lumetra::simulation {
namespace {

TEST(CivilTimeTest, PublishedDatesAndClockChanges) {
    // Unix time of these midnights / 86,400 s.
    EXPECT_EQ(daysFromCivil({1970, 1, 1}), 0);
    EXPECT_EQ(daysFromCivil({2000, 1, 1}), 10'957);
    EXPECT_EQ(daysFromCivil({2025, 1, 1}), 20'089);
    EXPECT_EQ(weekdayOfDays(daysFromCivil({2025, 1, 1})), 2);   // Wednesday
    EXPECT_EQ(weekdayOfDays(daysFromCivil({2024, 2, 29})), 3);  // Thursday
    // European summer time: 31 March - 27 October 2024, 30 March - 26 October 2025.
    EXPECT_EQ(germanDateTime(europeanSummerTime(2024).begin_utc), "31.03.2024 01:00");
    EXPECT_EQ(germanDateTime(europeanSummerTime(2024).end_utc), "27.10.2024 01:00");
    EXPECT_EQ(germanDateTime(europeanSummerTime(2025).begin_utc), "30.03.2025 01:00");
    EXPECT_EQ(germanDateTime(europeanSummerTime(2025).end_utc), "26.10.2025 01:00");
    for (std::int64_t day = daysFromCivil({1900, 1, 1}); day < daysFromCivil({2101, 1, 1}); ++day) {
        const CivilDate date = civilFromDays(day);
        ASSERT_EQ(daysFromCivil(date), day);
        ASSERT_LE(date.day, daysInMonth(date.year, date.month));
    }
}

TEST(MeasuredTextTest, TimeStampsAsMetersWriteThem) {
    const std::int64_t midnight = daysFromCivil({2025, 3, 5}) * 1440;
    const struct {
        const char* text;
        std::int64_t minute;
        std::optional<int> offset;
    } accepted[] = {
        {"05.03.2025 14:30", midnight + 870, {}},
        {"5.3.2025 9:05", midnight + 545, {}},
        {"05.03.2025 14:30:00", midnight + 870, {}},
        {"2025-03-05T14:30", midnight + 870, {}},
        {"2025-03-05 14:30:00.000", midnight + 870, {}},
        {"2025-03-05T14:30Z", midnight + 870, 0},
        {"2025-03-05T14:30+01:00", midnight + 870, 60},
        {"2025-03-05T14:30-0530", midnight + 870, -330},
    };
    for (const auto& c : accepted) {
        const auto stamp = parseTimeStamp(c.text);
        ASSERT_TRUE(stamp) << c.text;
        EXPECT_EQ(stamp->wallClock_min, c.minute) << c.text;
        EXPECT_EQ(stamp->utcOffset_min, c.offset) << c.text;
    }
    for (const char* text :
         {"31.02.2025 00:00", "2025-13-01T00:00", "05.03.2025 24:00", "5.3.25 9:05", "05.03.2025",
          "2025-03-05T14:30+1", "1899-12-31T00:00", "05.03.2025 14:30 Uhr"}) {
        EXPECT_FALSE(parseTimeStamp(text)) << text;
    }
    EXPECT_FALSE(parseTimeStamp("05.03.2025 14:30:15")->wholeMinute);
}

TEST(MeasuredTextTest, NumbersInEachLayout) {
    EXPECT_EQ(parseMeasuredNumber("1,5", true), 1.5);
    EXPECT_EQ(parseMeasuredNumber(" +0,25 ", true), 0.25);
    EXPECT_EQ(parseMeasuredNumber("1.5", false), 1.5);
    EXPECT_EQ(parseMeasuredNumber("-2", false), -2);
    for (const auto& [text, comma] :
         {std::pair{"1.5", true}, std::pair{"1.234,5", true}, std::pair{"1,5", false},
          std::pair{"inf", false}, std::pair{"nan", true}, std::pair{"", true},
          std::pair{"0x10", false}, std::pair{"1 kWh", false}}) {
        EXPECT_FALSE(parseMeasuredNumber(text, comma)) << text;
    }
}

}  // namespace
}  // namespace lumetra::simulation
