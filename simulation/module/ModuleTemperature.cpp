// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/module/ModuleTemperature.h"

#include <algorithm>

namespace lumetra::simulation {

double faimanModuleTemperature(double planeOfArray_W_per_m2, double air_C, double wind_m_per_s,
                               double u0, double u1) {
    return air_C + planeOfArray_W_per_m2 / (u0 + u1 * std::max(0.0, wind_m_per_s));
}

}  // namespace lumetra::simulation
