// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/solar/PerezSky.h"

#include <algorithm>
#include <cmath>

#include "support/Angles.h"

namespace lumetra::simulation {

namespace {

// f11 f12 f13 f21 f22 f23 of the eight clearness bins, all-sites composite (table 6).
// clang-format off
constexpr double kCoefficients[8][6] = {
    {-0.008,  0.588, -0.062, -0.060,  0.072, -0.022},
    { 0.130,  0.683, -0.151, -0.019,  0.066, -0.029},
    { 0.330,  0.487, -0.221,  0.055, -0.064, -0.026},
    { 0.568,  0.187, -0.295,  0.109, -0.152, -0.014},
    { 0.873, -0.392, -0.362,  0.226, -0.462,  0.001},
    { 1.132, -1.237, -0.412,  0.288, -0.823,  0.056},
    { 1.060, -1.600, -0.359,  0.264, -1.127,  0.131},
    { 0.678, -0.327, -0.250,  0.156, -1.377,  0.251},
};
// clang-format on

}  // namespace

double kastenYoungAirMass(double zenith_rad) {
    const double zenith_deg = std::min(zenith_rad / kDegreesToRadians, 90.0);
    return 1.0 / (std::cos(zenith_rad) + 0.50572 * std::pow(96.07995 - zenith_deg, -1.6364));
}

PerezBrightening perezBrightening(double epsilon, double brightness, double zenith_rad) {
    int bin = 0;
    while (bin < 7 && epsilon >= kPerezClearnessBinUpper[bin]) {
        ++bin;
    }
    const double* f = kCoefficients[bin];
    return {std::max(0.0, f[0] + f[1] * brightness + f[2] * zenith_rad),
            f[3] + f[4] * brightness + f[5] * zenith_rad};
}

}  // namespace lumetra::simulation
