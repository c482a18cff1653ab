// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/solar/HourSplit.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/Angles.h"

namespace lumetra::simulation {
namespace {

TEST(HourSplitTest, RatiosOfCollaresPereiraAndRabl) {
    // r_t of Duffie and Beckman (2013), eq. 2.13.2, evaluated by hand for these hour angles
    // and sunset hour angles (degrees): 0.142 at noon of a twelve-hour day, as their figure
    // 2.13.1 shows.
    struct Case {
        double hourAngle;
        double sunset;
        double ratio;
    };
    const Case cases[] = {
        {0, 90, 0.1416792837},   {22.5, 100.5, 0.1177217900},
        {45, 70, 0.0828703118},  {60, 120, 0.0661901144},
        {95, 120, 0.0232120663}, {-95, 120, 0.0232120663},
        {91, 90, 0.0},           {180, 120, 0.0},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(
            collaresPereiraRablRatio(c.hourAngle * kDegreesToRadians, c.sunset * kDegreesToRadians),
            c.ratio, 1e-9)
            << c.hourAngle << " at sunset " << c.sunset;
    }
    const CollaresPereiraRabl twelveHours(kPi / 2);
    EXPECT_NEAR(twelveHours.a(), 0.409 + 0.5016 * 0.5, 1e-12);
    EXPECT_NEAR(twelveHours.b(), 0.6609 - 0.4767 * 0.5, 1e-12);
}

TEST(HourSplitTest, TheHoursOfADayAddUpToItsSumWithinAPercent) {
    for (const double sunset : {60.0, 90.0, 115.0}) {
        double sum = 0;
        for (int hour = 0; hour < 24; ++hour) {
            sum += collaresPereiraRablRatio((15.0 * hour - 172.5) * kDegreesToRadians,
                                            sunset * kDegreesToRadians);
        }
        EXPECT_NEAR(sum, 1.0, 0.01) << sunset;
    }
    // Polar night: nothing to split.
    EXPECT_EQ(collaresPereiraRablRatio(0, 0), 0.0);
}

}  // namespace
}  // namespace lumetra::simulation
