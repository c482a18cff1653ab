// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/solar/DiffuseFraction.h"

#include <gtest/gtest.h>

namespace lumetra::simulation {
namespace {

TEST(DiffuseFractionTest, ErbsCorrelationOnEachSideOfItsLimits) {
    // Erbs et al. (1982). The first three: the diffuse over global irradiance published with
    // pvlib-python's test of its erbs() (41.5703604 of 50, 217.860117 and 170.790318 of 1000
    // W/m²) at the clearness indices it computed; the rest evaluate the correlation by hand
    // just inside each limit, where the branches almost meet.
    struct Case {
        double clearness;
        double fraction;
    };
    const Case cases[] = {
        {0.405723511, 0.831407208},
        {0.718132729, 0.217860117},
        {0.768214312, 0.170790318},
        {0.0, 1.0},
        {0.215, 0.98065},
        {0.225, 0.9792511},
        {0.79, 0.16463391},
        {0.81, 0.165},
        {1.2, 0.165},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(erbsDiffuseFraction(c.clearness), c.fraction, 1e-7) << c.clearness;
    }
}

}  // namespace
}  // namespace lumetra::simulation
