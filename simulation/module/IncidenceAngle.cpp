// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/module/IncidenceAngle.h"

#include <cmath>

#include "support/Angles.h"

namespace lumetra::simulation {

namespace {

double diffuseModifier(double x, double angularLoss) {
    const double c1 = 0.4244;  // 4 / (3 pi) as the paper prints it
    const double c2 = 0.5 * angularLoss - 0.154;
    return 1.0 - std::exp(-(c1 + c2 * x) * x / angularLoss);
}

}  // namespace

double martinRuizBeamModifier(double incidence_deg, double angularLoss) {
    if (!(std::abs(incidence_deg) < 90.0)) {
        return 0.0;  // from behind, grazing, or not a number
    }
    const double c = std::cos(incidence_deg * kDegreesToRadians);
    return (1.0 - std::exp(-c / angularLoss)) / (1.0 - std::exp(-1.0 / angularLoss));
}

MartinRuizDiffuse martinRuizDiffuseModifiers(double tilt_deg, double angularLoss) {
    const double tilt = tilt_deg * kDegreesToRadians;
    const double s = std::sin(tilt);
    const double c = std::cos(tilt);
    MartinRuizDiffuse result;
    if (1 + c > 1e-9) {
        result.sky = diffuseModifier(s + (kPi - tilt - s) / (1 + c), angularLoss);
    }
    if (1 - c > 1e-9) {
        result.ground = diffuseModifier(s + (tilt - s) / (1 - c), angularLoss);
    }
    return result;
}

}  // namespace lumetra::simulation
