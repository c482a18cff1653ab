// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace lumetra::simulation {

// The diffuse fraction of the hourly global horizontal irradiance from the hourly clearness
// index kt (global over extraterrestrial horizontal irradiance), by Erbs, Klein and Duffie,
// "Estimation of the diffuse radiation fraction for hourly, daily and monthly-average global
// radiation", Solar Energy 28 (1982) 293-302, as Duffie and Beckman (2013) give it in eq. 2.10.1:
//   kt <= 0.22:         1 - 0.09 kt
//   0.22 < kt <= 0.80:  0.9511 - 0.1604 kt + 4.388 kt² - 16.638 kt³ + 12.336 kt⁴
//   kt > 0.80:          0.165
inline constexpr double kErbsOvercastLimit = 0.22;
inline constexpr double kErbsClearLimit = 0.80;

double erbsDiffuseFraction(double clearnessIndex);

}  // namespace lumetra::simulation
