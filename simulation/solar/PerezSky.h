// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace lumetra::simulation {

// The brightness distribution of the sky by Perez, Ineichen, Seals, Michalsky and Stewart,
// "Modeling daylight availability and irradiance components from direct and global
// irradiance", Solar Energy 44 (1990) 271-289, with the all-sites composite coefficients of
// its table 6. The sky diffuse irradiance on a plane of tilt beta is then
//   D [(1 - F1) (1 + cos beta) / 2 + F1 a / b + F2 sin beta],
// a = max(0, cos incidence), b = max(cos 85°, cos zenith).
// Irradiances in W/m², angles in radians.

// Relative optical air mass by Kasten and Young, "Revised optical air mass tables and
// approximation formula", Applied Optics 28 (1989) 4735-4738:
//   m = 1 / (cos z + 0.50572 (96.07995° - z)^-1.6364), z in degrees.
double kastenYoungAirMass(double zenith_rad);

// Sky clearness epsilon (Perez et al. 1990): ((D + I) / D + 1.041 z³) / (1 + 1.041 z³), I the
// beam normal irradiance.
inline double perezSkyClearness(double diffuse, double beamNormal, double zenith_rad) {
    const double z3 = 1.041 * zenith_rad * zenith_rad * zenith_rad;
    return ((diffuse + beamNormal) / diffuse + z3) / (1 + z3);
}

// Sky brightness Delta = D m / I0 (Perez et al. 1990), I0 the extraterrestrial normal
// irradiance.
inline double perezSkyBrightness(double diffuse, double airMass, double extraterrestrialNormal) {
    return diffuse * airMass / extraterrestrialNormal;
}

// The upper bounds of the first seven of the eight clearness bins (table 1).
inline constexpr double kPerezClearnessBinUpper[7] = {1.065, 1.230, 1.500, 1.950,
                                                      2.800, 4.500, 6.200};

// The circumsolar (F1, at least 0) and horizon (F2) brightening coefficients:
//   F1 = f11 + f12 Delta + f13 z,  F2 = f21 + f22 Delta + f23 z,
// with f of the clearness bin of epsilon.
struct PerezBrightening {
    double circumsolar = 0;  // F1
    double horizon = 0;      // F2
};
PerezBrightening perezBrightening(double epsilon, double brightness, double zenith_rad);

}  // namespace lumetra::simulation
