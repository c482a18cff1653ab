// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/module/ModulePower.h"

#include <cmath>

namespace lumetra::simulation {

double huldRelativePower(double effectiveIrradiance_W_per_m2, double moduleTemperature_C,
                         const HuldCoefficients& k) {
    if (!(effectiveIrradiance_W_per_m2 > 0)) {
        return 0.0;
    }
    const double g = effectiveIrradiance_W_per_m2 / 1000.0;
    const double t = moduleTemperature_C - 25.0;
    const double l = std::log(g);
    const double power =
        g * (1 + k.k1 * l + k.k2 * l * l + t * (k.k3 + k.k4 * l + k.k5 * l * l) + k.k6 * t * t);
    // Far below any real irradiance the fit turns negative; the module gives nothing then.
    return power > 0 ? power : 0.0;
}

}  // namespace lumetra::simulation
