// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace lumetra::simulation {

// The angular losses of a module's glass by Martin and Ruiz, "Calculation of the PV modules
// angular losses under field conditions by means of an analytical model", Solar Energy
// Materials and Solar Cells 70 (2001) 25-38. a_r is the angular loss coefficient of their eq. 3;
// 0.16 is their value for a common glass front.
inline constexpr double kMartinRuizAngularLoss = 0.16;

// The beam modifier at an angle of incidence (degrees; 0 at and beyond 90), 1 - AL of eq. 4:
//   (1 - exp(-cos(theta) / a_r)) / (1 - exp(-1 / a_r))
double martinRuizBeamModifier(double incidence_deg, double angularLoss = kMartinRuizAngularLoss);

// The modifiers of isotropic sky diffuse and ground-reflected light on a plane of tilt beta
// (degrees, 0 horizontal .. 180 facing down), the paper's approximations of the integrals over
// the sky and the ground with c1 = 4 / (3 pi) = 0.4244 and c2 = a_r / 2 - 0.154 (the linear fit of
// c2 that Martin and Ruiz published with it):
//   1 - exp(-(c1 + c2 x) x / a_r),
//   x = sin beta + (pi - beta - sin beta) / (1 + cos beta)  for the sky,
//   x = sin beta + (beta - sin beta) / (1 - cos beta)       for the ground.
// A horizontal plane sees no ground and a plane facing down no sky (modifier 0).
struct MartinRuizDiffuse {
    double sky = 0;
    double ground = 0;
};
MartinRuizDiffuse martinRuizDiffuseModifiers(double tilt_deg,
                                             double angularLoss = kMartinRuizAngularLoss);

}  // namespace lumetra::simulation
