// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/SolarPosition.h"

#include <cmath>

#include "simulation/ReferenceCalendar.h"
#include "support/Angles.h"

namespace lumetra::simulation {

namespace {

double wrapped(double value, double period) {
    value = std::fmod(value, period);
    return value < 0 ? value + period : value;
}

}  // namespace

SolarDay solarDay(int day, double longitude_deg, double timeZoneMeridian_deg) {
    const double universalHour = 12.0 - timeZoneMeridian_deg / 15.0;
    const int delta = kReferenceYear - 1949;
    const int leap = delta / 4;
    const double julianDate = 2432916.5 + delta * 365.0 + leap + (day + 1) + universalHour / 24.0;
    const double time = julianDate - 2451545.0;

    const double meanLongitude = wrapped(280.460 + 0.9856474 * time, 360.0);
    const double meanAnomaly = wrapped(357.528 + 0.9856003 * time, 360.0) * kDegreesToRadians;
    const double eclipticLongitude =
        wrapped(meanLongitude + 1.915 * std::sin(meanAnomaly) + 0.020 * std::sin(2 * meanAnomaly),
                360.0) *
        kDegreesToRadians;
    const double obliquity = (23.439 - 0.0000004 * time) * kDegreesToRadians;

    const double rightAscension = wrapped(
        std::atan2(std::cos(obliquity) * std::sin(eclipticLongitude), std::cos(eclipticLongitude)),
        2 * kPi);
    SolarDay result;
    result.declination_rad = std::asin(std::sin(obliquity) * std::sin(eclipticLongitude));

    const double greenwichSidereal = wrapped(6.697375 + 0.0657098242 * time + universalHour, 24.0);
    const double localSidereal = wrapped(greenwichSidereal + longitude_deg / 15.0, 24.0);
    double hourAngle = localSidereal * 15.0 * kDegreesToRadians - rightAscension;
    if (hourAngle < -kPi) {
        hourAngle += 2 * kPi;
    } else if (hourAngle > kPi) {
        hourAngle -= 2 * kPi;
    }
    result.noonHourAngle_rad = hourAngle;

    const double gamma = 2 * kPi * day / kDaysPerYear;
    result.eccentricity = 1.000110 + 0.034221 * std::cos(gamma) + 0.001280 * std::sin(gamma) +
                          0.000719 * std::cos(2 * gamma) + 0.000077 * std::sin(2 * gamma);
    return result;
}

double timeZoneMeridian(double longitude_deg, bool insideClimateGrid) {
    if (insideClimateGrid) {
        return 15.0;
    }
    return 15.0 * std::round(longitude_deg / 15.0);
}

}  // namespace lumetra::simulation
