// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/module/ModuleTemperature.h"

#include <gtest/gtest.h>

namespace lumetra::simulation {
namespace {

TEST(ModuleTemperatureTest, FaimansModelAtThePublishedPoints) {
    // Faiman (2008) as published with pvlib-python's tests of faiman(): 900 W/m², 20 °C, 5 m/s
    // with Faiman's U0 = 25 and U1 = 6.84 give 35.203 °C, with U0 = 22 and U1 = 6 37.308 °C;
    // 500 W/m², 10 °C, 5 m/s give 18.446 °C.
    EXPECT_NEAR(faimanModuleTemperature(900, 20, 5), 35.203, 0.001);
    EXPECT_NEAR(faimanModuleTemperature(900, 20, 5, 22, 6), 37.308, 0.001);
    EXPECT_NEAR(faimanModuleTemperature(500, 10, 5), 18.446, 0.001);
    // In the dark the module has the air's temperature; a negative wind counts as calm.
    EXPECT_EQ(faimanModuleTemperature(0, -5, 3), -5.0);
    EXPECT_EQ(faimanModuleTemperature(800, 20, -3), faimanModuleTemperature(800, 20, 0));
}

}  // namespace
}  // namespace lumetra::simulation
