// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/climate/Distance.h"

#include <algorithm>
#include <cmath>

#include "support/Angles.h"

namespace lumetra::simulation {

double greatCircleDistance_km(double latitude1_deg, double longitude1_deg, double latitude2_deg,
                              double longitude2_deg) {
    constexpr double kEarthRadius_km = 6371.0;
    const double p1 = latitude1_deg * kDegreesToRadians;
    const double p2 = latitude2_deg * kDegreesToRadians;
    const double dp = p2 - p1;
    const double dl = (longitude2_deg - longitude1_deg) * kDegreesToRadians;
    const double a = std::sin(dp / 2) * std::sin(dp / 2) +
                     std::cos(p1) * std::cos(p2) * std::sin(dl / 2) * std::sin(dl / 2);
    return 2 * kEarthRadius_km * std::asin(std::sqrt(std::clamp(a, 0.0, 1.0)));
}

}  // namespace lumetra::simulation
