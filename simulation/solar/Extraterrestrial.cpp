// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/solar/Extraterrestrial.h"

#include <algorithm>
#include <cmath>

#include "simulation/calendar/ReferenceYear.h"
#include "support/Angles.h"

namespace lumetra::simulation {

double sunEarthDistanceFactor(int day) {
    const double gamma = 2 * kPi * day / kDaysPerYear;
    return 1.000110 + 0.034221 * std::cos(gamma) + 0.001280 * std::sin(gamma) +
           0.000719 * std::cos(2 * gamma) + 0.000077 * std::sin(2 * gamma);
}

double sunsetHourAngle(double latitude_rad, double declination_rad) {
    return std::acos(std::clamp(-std::tan(latitude_rad) * std::tan(declination_rad), -1.0, 1.0));
}

double dailyExtraterrestrialHorizontal_kWh_per_m2(double latitude_rad, double declination_rad,
                                                  double eccentricity) {
    const double ws = sunsetHourAngle(latitude_rad, declination_rad);
    const double h0 = 24.0 / kPi * kSolarConstant_W_per_m2 * eccentricity *
                      (std::cos(latitude_rad) * std::cos(declination_rad) * std::sin(ws) +
                       ws * std::sin(latitude_rad) * std::sin(declination_rad)) /
                      1000.0;
    return std::max(0.0, h0);
}

}  // namespace lumetra::simulation
