// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace lumetra::simulation {

// The solar constant as Duffie and Beckman, "Solar Engineering of Thermal Processes" (4th ed.,
// 2013) take it, W/m².
inline constexpr double kSolarConstant_W_per_m2 = 1367.0;

// (mean / actual Sun-Earth distance)² on day 0..364, by Spencer, "Fourier series
// representation of the position of the sun", Search 2 (1971), as Duffie and Beckman (2013)
// give it in eq. 1.4.1b.
double sunEarthDistanceFactor(int day);

// The sunset hour angle (radians, 0 .. pi) at a latitude on a day of the given declination
// (Duffie and Beckman 2013, eq. 1.6.10): 0 in polar night, pi in midnight sun.
double sunsetHourAngle(double latitude_rad, double declination_rad);

// A day's irradiation on a horizontal plane outside the atmosphere, kWh/m² (Duffie and Beckman
// 2013, eq. 1.10.3).
double dailyExtraterrestrialHorizontal_kWh_per_m2(double latitude_rad, double declination_rad,
                                                  double eccentricity);

}  // namespace lumetra::simulation
