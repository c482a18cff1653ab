// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/solar/HourSplit.h"

#include <cmath>

#include "support/Angles.h"

namespace lumetra::simulation {

CollaresPereiraRabl::CollaresPereiraRabl(double sunsetHourAngle_rad)
    : cosSunset_(std::cos(sunsetHourAngle_rad)) {
    const double s = std::sin(sunsetHourAngle_rad - kPi / 3);
    a_ = 0.409 + 0.5016 * s;
    b_ = 0.6609 - 0.4767 * s;
    const double denominator =
        std::sin(sunsetHourAngle_rad) - sunsetHourAngle_rad * std::cos(sunsetHourAngle_rad);
    factor_ = denominator > 0 ? kPi / 24 / denominator : 0.0;
}

double CollaresPereiraRabl::ratio(double cosHourAngle) const {
    if (cosHourAngle <= cosSunset_) {
        return 0;  // the sun is down (both factors are negative around midnight)
    }
    const double value = factor_ * (a_ + b_ * cosHourAngle) * (cosHourAngle - cosSunset_);
    return value > 0 ? value : 0.0;
}

double collaresPereiraRablRatio(double hourAngle_rad, double sunsetHourAngle_rad) {
    return CollaresPereiraRabl(sunsetHourAngle_rad).ratio(std::cos(hourAngle_rad));
}

}  // namespace lumetra::simulation
