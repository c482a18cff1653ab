// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/DemandSeries.h"

#include <gtest/gtest.h>

#include <numeric>

#include "energy/MonthlyShares.h"
#include "simulation/SimulationSupport.h"
#include "simulation/calendar/ReferenceCalendar.h"
#include "test_support/TestSupport.h"

namespace lumetra::simulation {
namespace {

using test::nearRelative;
using test::shippedClimate;

struct Demand {
    std::vector<double> total;
    std::array<std::vector<double>, kDemandKinds> parts;
};

Demand build(const DemandInput& input, double latitude = 52.52) {
    WeatherYear weather;
    buildWeatherYear(*shippedClimate(), latitude, 13.41, 1092, weather);
    Demand demand;
    buildDemand(shippedClimate()->loadProfile(), weather, input, {}, demand.total, &demand.parts);
    return demand;
}

double sum(const std::vector<double>& v, int firstStep = 0, int lastStep = kStepCount) {
    return std::accumulate(v.begin() + firstStep, v.begin() + lastStep, 0.0);
}

double monthSum(const std::vector<double>& v, std::size_t month) {
    return sum(v, kMonthStartDay[month] * kStepsPerDay, kMonthStartDay[month + 1] * kStepsPerDay);
}

// Energy of a part in the given hours (local time) over the whole year.
double hoursSum(const std::vector<double>& v, int fromHour, int toHour) {
    double total = 0;
    for (int s = 0; s < kStepCount; ++s) {
        const int hour = (s % kStepsPerDay) / kStepsPerHour;
        if (hour >= fromHour && hour < toHour) {
            total += v[static_cast<std::size_t>(s)];
        }
    }
    return total;
}

TEST(DemandSeriesTest, EachPartSumsExactlyToItsInput) {
    const DemandInput input{4000, 1200, 5000, 600, 2500, {}};
    const Demand demand = build(input);
    const double expected[] = {4000, 1200, 5000, 600, 2500};
    for (std::size_t p = 0; p < 5; ++p) {
        EXPECT_TRUE(nearRelative(sum(demand.parts[p]), expected[p])) << "part " << p;
        EXPECT_GE(*std::min_element(demand.parts[p].begin(), demand.parts[p].end()), 0.0);
    }
    EXPECT_TRUE(nearRelative(sum(demand.total), 13300));
}

TEST(DemandSeriesTest, MonthsSplitAsTheMonthlyModelSplitsThem) {
    const Demand demand = build({0, 1200, 5000, 600, 2400, {}});
    const double heatingShares = std::accumulate(kHeatingShare.begin(), kHeatingShare.end(), 0.0);
    for (std::size_t m = 0; m < 12; ++m) {
        EXPECT_TRUE(nearRelative(monthSum(demand.parts[1], m), 100)) << m;
        EXPECT_TRUE(nearRelative(monthSum(demand.parts[4], m), 200)) << m;
        EXPECT_NEAR(monthSum(demand.parts[2], m), 5000 * kHeatingShare[m] / heatingShares, 1e-6)
            << m;
        EXPECT_NEAR(monthSum(demand.parts[3], m), 600 * kCoolingShare[m], 1e-3) << m;
    }
    // South of the equator heating moves by half a year.
    const Demand south = build({0, 0, 5000, 0, 0, {}}, -35);
    EXPECT_GT(monthSum(south.parts[2], 6), 900);
    EXPECT_EQ(monthSum(south.parts[2], 0), 0);
}

TEST(DemandSeriesTest, HouseholdFollowsTheStandardProfile) {
    const Demand demand = build({4000, 0, 0, 0, 0, {}});
    const auto& household = demand.parts[0];
    // Winter above summer (profile and dynamisation), evening peak above the night.
    EXPECT_GT(monthSum(household, 0) / 31, 1.15 * monthSum(household, 6) / 31);
    EXPECT_GT(hoursSum(household, 18, 21), 2 * hoursSum(household, 2, 5));
    // Holidays are Sundays: Easter Monday (21 April, day 110) has the shape of Sunday
    // 20 April, not that of the working day Tuesday 22 April.
    const auto distance = [&](int a, int b) {
        double total = 0;
        for (int k = 0; k < kStepsPerDay; ++k) {
            total += std::abs(household[static_cast<std::size_t>(a * kStepsPerDay + k)] -
                              household[static_cast<std::size_t>(b * kStepsPerDay + k)]);
        }
        return total;
    };
    EXPECT_LT(distance(110, 109), 0.1 * distance(110, 111));
}

TEST(DemandSeriesTest, DailyProfilesOfTheOtherDemands) {
    const Demand demand = build({0, 1000, 3000, 600, 3650, {}});
    // Hot water: morning and evening.
    EXPECT_GT(hoursSum(demand.parts[1], 6, 9) + hoursSum(demand.parts[1], 18, 22), 0.55 * 1000);
    // Heating: nights (colder) above afternoons.
    EXPECT_GT(hoursSum(demand.parts[2], 2, 6), 1.05 * hoursSum(demand.parts[2], 13, 17));
    // Cooling: afternoons above nights.
    EXPECT_GT(hoursSum(demand.parts[3], 13, 17), 1.5 * hoursSum(demand.parts[3], 2, 6));
    // Car: 10 kWh a day at 11 kW: the evening after work, by day at weekends and holidays.
    const auto& car = demand.parts[4];
    const int wednesday = 7;  // 8 January
    const int saturday = 10;  // 11 January
    const int newYear = 0;    // a Wednesday, but a holiday
    const auto at = [&](int d, int hour) {
        return car[static_cast<std::size_t>(d * kStepsPerDay + hour * kStepsPerHour)];
    };
    EXPECT_NEAR(at(wednesday, 18), kWallboxPower_kW * kStepHours, 1e-9);
    EXPECT_EQ(at(wednesday, 11), 0);
    EXPECT_NEAR(at(saturday, 11), kWallboxPower_kW * kStepHours, 1e-9);
    EXPECT_EQ(at(saturday, 18), 0);
    EXPECT_NEAR(at(newYear, 11), kWallboxPower_kW * kStepHours, 1e-9);
    EXPECT_NEAR(sum(car, wednesday * kStepsPerDay, (wednesday + 1) * kStepsPerDay),
                3650.0 / 12 / 31, 1e-9);
}

TEST(DemandSeriesTest, AFullDayOfChargingIsSpreadEvenly) {
    const Demand demand = build({0, 0, 0, 0, 12 * 31 * 300.0, {}});  // 300 kWh a day in January
    const auto& car = demand.parts[4];
    EXPECT_NEAR(car[5], 300.0 / kStepsPerDay, 1e-9);
    EXPECT_TRUE(nearRelative(sum(car), 12 * 31 * 300.0));
}

TEST(ReferenceCalendarTest, DayTypesOf2025) {
    struct Case {
        const char* name;
        int month;
        int dayOfMonth;
        DayType type;
    };
    const Case cases[] = {
        {"Neujahr (Mittwoch)", 1, 1, DayType::SundayOrHoliday},
        {"Donnerstag", 1, 2, DayType::WorkingDay},
        {"Samstag", 1, 4, DayType::Saturday},
        {"Sonntag", 1, 5, DayType::SundayOrHoliday},
        {"Karfreitag", 4, 18, DayType::SundayOrHoliday},
        {"Ostermontag", 4, 21, DayType::SundayOrHoliday},
        {"Tag der Arbeit", 5, 1, DayType::SundayOrHoliday},
        {"Christi Himmelfahrt", 5, 29, DayType::SundayOrHoliday},
        {"Pfingstmontag", 6, 9, DayType::SundayOrHoliday},
        {"Fronleichnam gilt nicht bundesweit", 6, 19, DayType::WorkingDay},
        {"Tag der Deutschen Einheit", 10, 3, DayType::SundayOrHoliday},
        {"Heiligabend (Mittwoch)", 12, 24, DayType::Saturday},
        {"1. Weihnachtstag", 12, 25, DayType::SundayOrHoliday},
        {"2. Weihnachtstag", 12, 26, DayType::SundayOrHoliday},
        {"Silvester (Mittwoch)", 12, 31, DayType::Saturday},
    };
    for (const Case& c : cases) {
        const int day = kMonthStartDay[static_cast<std::size_t>(c.month - 1)] + c.dayOfMonth - 1;
        EXPECT_EQ(dayTypeOfDay(day), c.type) << c.name;
    }
    EXPECT_EQ(monthOfDay(0), 0);
    EXPECT_EQ(monthOfDay(58), 1);
    EXPECT_EQ(monthOfDay(59), 2);
    EXPECT_EQ(monthOfDay(364), 11);
}

}  // namespace
}  // namespace lumetra::simulation
