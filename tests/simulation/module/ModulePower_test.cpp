// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/module/ModulePower.h"

#include <gtest/gtest.h>

#include <cmath>

namespace lumetra::simulation {
namespace {

TEST(ModulePowerTest, HuldsModelWithPvgisCoefficientsForCrystallineSilicon) {
    // Standard test conditions give the peak power.
    EXPECT_NEAR(huldRelativePower(1000, 25), 1.0, 1e-12);
    // 800 W/m² at 35 °C: 76.405089 W of 100 W, as published with pvlib-python's tests of
    // huld() for PVGIS 5's crystalline silicon.
    EXPECT_NEAR(huldRelativePower(800, 35), 0.76405089, 1e-8);
    // Each coefficient on its own: with only k_i set, G' = e (ln G' = 1) and T' = 1 K give
    // e (1 + k_i) for the terms in ln G' and T'.
    const double e = std::exp(1.0);
    const double tests[6] = {0.1, 0.2, 0.3, 0.4, 0.5, 0.6};
    for (int i = 0; i < 6; ++i) {
        HuldCoefficients k;
        double* member[] = {&k.k1, &k.k2, &k.k3, &k.k4, &k.k5, &k.k6};
        *member[i] = tests[i];
        EXPECT_NEAR(huldRelativePower(1000 * e, 26, k), e * (1 + tests[i]), 1e-12) << "k" << i + 1;
    }
}

TEST(ModulePowerTest, LowLightCostsEfficiencyAndDarknessGivesNothing) {
    // Relative efficiency at 25 °C falls from 1000 to 100 W/m², as measured modules do.
    EXPECT_LT(huldRelativePower(200, 25) / 0.2, huldRelativePower(600, 25) / 0.6);
    EXPECT_LT(huldRelativePower(100, 25) / 0.1, huldRelativePower(200, 25) / 0.2);
    for (const double irradiance : {0.0, -50.0, 1e-9, std::nan("")}) {
        EXPECT_EQ(huldRelativePower(irradiance, 25), 0.0) << irradiance;
    }
}

}  // namespace
}  // namespace lumetra::simulation
