// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/solar/DiffuseFraction.h"

namespace lumetra::simulation {

double erbsDiffuseFraction(double kt) {
    if (kt <= kErbsOvercastLimit) {
        return 1.0 - 0.09 * kt;
    }
    if (kt <= kErbsClearLimit) {
        return 0.9511 + kt * (-0.1604 + kt * (4.388 + kt * (-16.638 + kt * 12.336)));
    }
    return 0.165;
}

}  // namespace lumetra::simulation
