// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

#include "simulation/HourlyBalance.h"

namespace lumetra::simulation {

inline constexpr double kSolarConstant_W_per_m2 = 1367.0;  // as in Duffie & Beckman

// The sun of one day of the reference year at a site.
struct SolarDay {
    double declination_rad = 0;
    // True solar hour angle at 12:00 local standard time (negative before solar noon); it
    // carries the equation of time and the site's distance from its time-zone meridian.
    double noonHourAngle_rad = 0;
    double eccentricity = 1;  // (mean / actual Sun-Earth distance)²
};

// Solar declination and hour angle by Michalsky, "The Astronomical Almanac's algorithm for
// approximate solar position (1950-2050)", Solar Energy 40 (1988): within 0.01 degrees in
// 1950-2050. They are evaluated once per day at local noon and held for the day; the sun's
// declination moves at most 0.4 degrees a day, so the position is within 0.2 degrees of
// the exact one at any quarter hour. Eccentricity after Spencer (1971).
SolarDay solarDay(int day, double longitude_deg, double timeZoneMeridian_deg);

// The meridian of the site's local standard time: central European time (15 degrees east)
// inside the climate grid's area, otherwise the multiple of 15 degrees nearest the longitude.
double timeZoneMeridian(double longitude_deg, bool insideClimateGrid);

}  // namespace lumetra::simulation
