// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/solar/SolarPosition.h"

#include <gtest/gtest.h>

#include "support/Angles.h"

namespace lumetra::simulation {
namespace {

constexpr double kToDegrees = 1 / kDegreesToRadians;

TEST(SolarPositionTest, EquationOfTimeAndDeclinationMatchNoaa) {
    // At 15 degrees east the hour angle at 12:00 CET is the equation of time. Reference: the
    // NOAA solar calculator's equations (after Meeus 1991) at 11:00 UT of days of 2025.
    struct Case {
        int day;
        double equationOfTime_min;
        double declination_deg;
    };
    const Case cases[] = {
        {0, -3.66, -22.959},    // 1 January
        {41, -14.23, -13.859},  // 11 February, the latest noon
        {171, -1.87, 23.438},   // 21 June
        {306, 16.49, -15.214},  // 3 November, the earliest noon
    };
    for (const Case& c : cases) {
        const SolarDay sun = solarDay(c.day, 15.0, 15.0);
        EXPECT_NEAR(sun.noonHourAngle_rad * kToDegrees * 4, c.equationOfTime_min, 0.1)
            << "day " << c.day;
        EXPECT_NEAR(sun.declination_rad * kToDegrees, c.declination_deg, 0.02) << "day " << c.day;
    }
}

TEST(SolarPositionTest, ZenithAndAzimuthOfTheSolarPositionAlgorithmsExample) {
    // Reda and Andreas, "Solar position algorithm for solar radiation applications", NREL
    // (2004), table A4.1: Golden, Colorado, 17 October 2003, 12:30:30 local time (UTC-7):
    // topocentric zenith 50.11162 degrees (with 0.014 degrees of refraction), azimuth
    // 194.34024 degrees. Michalsky's algorithm keeps 0.01 degrees.
    const double moment = julianDate(2003, 290, 19.0 + 30.5 / 60.0);
    const SunPosition sun = sunPosition(moment, 39.742476, -105.1786);
    EXPECT_NEAR(sun.zenith_deg, 50.11162 + 0.014, 0.015);
    EXPECT_NEAR(sun.azimuth_deg, 194.34024, 0.015);
}

TEST(SolarPositionTest, TimeZoneOfTheGridIsCentralEuropeanElseTheNearestMultipleOf15) {
    EXPECT_EQ(timeZoneMeridian(6.0, true), 15.0);
    EXPECT_EQ(timeZoneMeridian(-74.0, false), -75.0);
    EXPECT_EQ(timeZoneMeridian(151.2, false), 150.0);
}

}  // namespace
}  // namespace lumetra::simulation
