// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/solar/Extraterrestrial.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/Angles.h"

namespace lumetra::simulation {
namespace {

TEST(ExtraterrestrialTest, DailyIrradiationOfDuffieAndBeckmansExample) {
    // Duffie and Beckman (2013), example 1.10.1: latitude 43 degrees north on 15 April
    // (declination 9.41 degrees): sunset hour angle 98.9 degrees, H0 = 33.8 MJ/m².
    const double latitude = 43 * kDegreesToRadians;
    const double declination = 9.41 * kDegreesToRadians;
    const double eccentricity = 1 + 0.033 * std::cos(2 * kPi * 105 / 365);  // their eq. 1.4.1a
    EXPECT_NEAR(sunsetHourAngle(latitude, declination) / kDegreesToRadians, 98.9, 0.05);
    EXPECT_NEAR(
        dailyExtraterrestrialHorizontal_kWh_per_m2(latitude, declination, eccentricity) * 3.6, 33.8,
        0.05);
}

TEST(ExtraterrestrialTest, PolarNightIsDarkAndMidnightSunRoundTheClock) {
    const double north = 80 * kDegreesToRadians;
    const double winter = -23 * kDegreesToRadians;
    EXPECT_EQ(sunsetHourAngle(north, winter), 0.0);
    EXPECT_EQ(dailyExtraterrestrialHorizontal_kWh_per_m2(north, winter, 1.0), 0.0);
    EXPECT_NEAR(sunsetHourAngle(north, -winter), kPi, 1e-12);
    // The Earth is nearest the sun in early January.
    EXPECT_GT(sunEarthDistanceFactor(2), 1.03);
    EXPECT_LT(sunEarthDistanceFactor(184), 0.97);
}

}  // namespace
}  // namespace lumetra::simulation
