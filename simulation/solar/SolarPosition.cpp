// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/solar/SolarPosition.h"

#include <algorithm>
#include <cmath>

#include "simulation/calendar/ReferenceYear.h"
#include "simulation/solar/Extraterrestrial.h"
#include "support/Angles.h"

namespace lumetra::simulation {

namespace {

double wrapped(double value, double period) {
    value = std::fmod(value, period);
    return value < 0 ? value + period : value;
}

// The hour angle at a site from the sun's coordinates, in -pi .. pi.
double hourAngleOf(const SolarCoordinates& sun, double longitude_deg) {
    const double localSidereal = wrapped(sun.greenwichSiderealTime_h + longitude_deg / 15.0, 24.0);
    double hourAngle = localSidereal * 15.0 * kDegreesToRadians - sun.rightAscension_rad;
    if (hourAngle < -kPi) {
        hourAngle += 2 * kPi;
    } else if (hourAngle > kPi) {
        hourAngle -= 2 * kPi;
    }
    return hourAngle;
}

}  // namespace

double julianDate(int year, int dayOfYear, double universalHour) {
    const int delta = year - 1949;
    const int leap = delta / 4;
    return 2432916.5 + delta * 365.0 + leap + dayOfYear + universalHour / 24.0;
}

SolarCoordinates solarCoordinates(double julianDate) {
    const double time = julianDate - 2451545.0;  // days since J2000.0
    const double universalHour = wrapped(julianDate + 0.5, 1.0) * 24.0;
    const double meanLongitude = wrapped(280.460 + 0.9856474 * time, 360.0);
    const double meanAnomaly = wrapped(357.528 + 0.9856003 * time, 360.0) * kDegreesToRadians;
    const double eclipticLongitude =
        wrapped(meanLongitude + 1.915 * std::sin(meanAnomaly) + 0.020 * std::sin(2 * meanAnomaly),
                360.0) *
        kDegreesToRadians;
    const double obliquity = (23.439 - 0.0000004 * time) * kDegreesToRadians;

    SolarCoordinates sun;
    sun.rightAscension_rad = wrapped(
        std::atan2(std::cos(obliquity) * std::sin(eclipticLongitude), std::cos(eclipticLongitude)),
        2 * kPi);
    sun.declination_rad = std::asin(std::sin(obliquity) * std::sin(eclipticLongitude));
    sun.greenwichSiderealTime_h = wrapped(6.697375 + 0.0657098242 * time + universalHour, 24.0);
    return sun;
}

SunPosition sunPosition(double julianDate, double latitude_deg, double longitude_deg) {
    const SolarCoordinates sun = solarCoordinates(julianDate);
    SunPosition position;
    position.hourAngle_rad = hourAngleOf(sun, longitude_deg);
    const double phi = latitude_deg * kDegreesToRadians;
    const double delta = sun.declination_rad;
    const double h = position.hourAngle_rad;
    const double east = -std::cos(delta) * std::sin(h);
    const double north =
        std::cos(phi) * std::sin(delta) - std::sin(phi) * std::cos(delta) * std::cos(h);
    const double up =
        std::sin(phi) * std::sin(delta) + std::cos(phi) * std::cos(delta) * std::cos(h);
    position.zenith_deg = std::acos(std::clamp(up, -1.0, 1.0)) / kDegreesToRadians;
    position.azimuth_deg = wrapped(std::atan2(east, north) / kDegreesToRadians, 360.0);
    return position;
}

SolarDay solarDay(int day, double longitude_deg, double timeZoneMeridian_deg) {
    const double universalHour = 12.0 - timeZoneMeridian_deg / 15.0;
    const SolarCoordinates sun =
        solarCoordinates(julianDate(kReferenceYear, day + 1, universalHour));
    SolarDay result;
    result.declination_rad = sun.declination_rad;
    result.noonHourAngle_rad = hourAngleOf(sun, longitude_deg);
    result.eccentricity = sunEarthDistanceFactor(day);
    return result;
}

double timeZoneMeridian(double longitude_deg, bool insideClimateGrid) {
    if (insideClimateGrid) {
        return 15.0;
    }
    return 15.0 * std::round(longitude_deg / 15.0);
}

}  // namespace lumetra::simulation
