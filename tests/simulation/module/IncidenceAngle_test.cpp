// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/module/IncidenceAngle.h"

#include <gtest/gtest.h>

#include <cmath>

namespace lumetra::simulation {
namespace {

// The reference values of Martin and Ruiz's model as published with pvlib-python's tests of
// martin_ruiz() and martin_ruiz_diffuse().

TEST(IncidenceAngleTest, BeamModifierOfMartinAndRuiz) {
    struct Case {
        double incidence;
        double angularLoss;
        double modifier;
    };
    const Case cases[] = {
        {45, kMartinRuizAngularLoss, 0.98986965},
        {0, 0.18, 1.0},
        {60, 0.18, 0.9414631},
        {-60, 0.18, 0.9414631},
        {100, 0.18, 0.0},
        {-100, 0.18, 0.0},
        {INFINITY, 0.18, 0.0},
        {NAN, 0.18, 0.0},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(martinRuizBeamModifier(c.incidence, c.angularLoss), c.modifier, 1e-7)
            << c.incidence;
    }
    // The default is a_r = 0.16.
    EXPECT_EQ(martinRuizBeamModifier(45), martinRuizBeamModifier(45, 0.16));
}

TEST(IncidenceAngleTest, SkyAndGroundModifiersOfMartinAndRuiz) {
    struct Case {
        double tilt;
        double angularLoss;
        double sky;
        double ground;
    };
    const Case cases[] = {
        {30, kMartinRuizAngularLoss, 0.9549735, 0.7944426},
        {0, 0.18, 0.9407678, 0.0},
        {30, 0.18, 0.9452250, 0.7610849},
        {90, 0.18, 0.9407678, 0.9407678},
        {120, 0.18, 0.9055541, 0.9483508},
        {180, 0.18, 0.0, 0.9407678},
    };
    for (const Case& c : cases) {
        const MartinRuizDiffuse modifiers = martinRuizDiffuseModifiers(c.tilt, c.angularLoss);
        EXPECT_NEAR(modifiers.sky, c.sky, 1e-7) << c.tilt;
        EXPECT_NEAR(modifiers.ground, c.ground, 1e-7) << c.tilt;
    }
}

}  // namespace
}  // namespace lumetra::simulation
