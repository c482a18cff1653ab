// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/solar/PerezSky.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/Angles.h"

namespace lumetra::simulation {
namespace {

TEST(PerezSkyTest, BrighteningOfEachClearnessBinFollowsTheAllSitesCompositeTable) {
    // Perez et al. (1990), table 6, all sites composite: f11 f12 f13 f21 f22 f23 per bin.
    // clang-format off
    const double published[8][6] = {
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
    const double clearnessInBin[8] = {1.03, 1.1, 1.4, 1.7, 2.5, 3.5, 5.0, 8.0};
    for (int bin = 0; bin < 8; ++bin) {
        // Two brightness and zenith pairs, so that each coefficient counts.
        for (const auto& [delta, zenith] : {std::pair{0.1, 0.3}, std::pair{0.3, 1.1}}) {
            const double* f = published[bin];
            const PerezBrightening b = perezBrightening(clearnessInBin[bin], delta, zenith);
            EXPECT_NEAR(b.circumsolar, std::max(0.0, f[0] + f[1] * delta + f[2] * zenith), 1e-12)
                << "bin " << bin;
            EXPECT_NEAR(b.horizon, f[3] + f[4] * delta + f[5] * zenith, 1e-12) << "bin " << bin;
        }
    }
}

TEST(PerezSkyTest, ClearnessBrightnessAndTheAirMassOfKastenAndYoung) {
    // Overcast (no beam) is the clearest bin's opposite: epsilon 1.
    EXPECT_NEAR(perezSkyClearness(200, 0, 0.7), 1.0, 1e-12);
    // Overhead sun: epsilon = (D + I) / D.
    EXPECT_NEAR(perezSkyClearness(100, 800, 0), 9.0, 1e-12);
    EXPECT_NEAR(perezSkyBrightness(100, 2, 1367), 200.0 / 1367, 1e-12);
    // Kasten and Young (1989): 1.9943 at 60 degrees, 37.92 at the horizon.
    EXPECT_NEAR(kastenYoungAirMass(60 * kDegreesToRadians), 1.9943, 1e-4);
    EXPECT_NEAR(kastenYoungAirMass(90 * kDegreesToRadians), 37.92, 0.01);
}

}  // namespace
}  // namespace lumetra::simulation
