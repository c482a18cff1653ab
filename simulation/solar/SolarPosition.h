// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace lumetra::simulation {

// The sun's position by Michalsky, "The Astronomical Almanac's algorithm for approximate solar
// position (1950-2050)", Solar Energy 40 (1988) 227-235: within 0.01 degrees in 1950-2050.
// Angles in radians unless the name says degrees; time as a Julian date in universal time.

// The Julian date of a universal hour (0..24) of day `dayOfYear` (1 = 1 January) of `year`
// (1950..2050), as Michalsky counts it.
double julianDate(int year, int dayOfYear, double universalHour);

// The sun in the sky of the whole Earth at a moment.
struct SolarCoordinates {
    double declination_rad = 0;
    double rightAscension_rad = 0;       // 0 .. 2 pi
    double greenwichSiderealTime_h = 0;  // 0 .. 24
};
SolarCoordinates solarCoordinates(double julianDate);

// The sun seen from a site: hour angle (negative before solar noon), zenith angle (without
// refraction) and azimuth in degrees clockwise from north.
struct SunPosition {
    double hourAngle_rad = 0;
    double zenith_deg = 0;
    double azimuth_deg = 0;
};
SunPosition sunPosition(double julianDate, double latitude_deg, double longitude_deg);

// The sun of one day of the reference year at a site, taken at 12:00 local standard time and
// held for the day: the declination moves at most 0.4 degrees a day, so the position is within
// 0.2 degrees of the exact one at any quarter hour.
struct SolarDay {
    double declination_rad = 0;
    // True solar hour angle at 12:00 local standard time (negative before solar noon); it
    // carries the equation of time and the site's distance from its time-zone meridian.
    double noonHourAngle_rad = 0;
    double eccentricity = 1;  // (mean / actual Sun-Earth distance)²
};
SolarDay solarDay(int day, double longitude_deg, double timeZoneMeridian_deg);

// The meridian of the site's local standard time: central European time (15 degrees east)
// inside the climate grid's area, otherwise the multiple of 15 degrees nearest the longitude.
double timeZoneMeridian(double longitude_deg, bool insideClimateGrid);

}  // namespace lumetra::simulation
