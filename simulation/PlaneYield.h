// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "simulation/WeatherYear.h"

namespace lumetra::simulation {

inline constexpr double kGroundReflectance = 0.2;
inline constexpr double kTemperatureCoefficient_per_K = -0.004;  // of power, from 25 °C
// Faiman (2008) heat loss coefficients of an open-rack module and the wind speed assumed
// (no wind data): U0 + U1 x 1 m/s.
inline constexpr double kFaimanU0 = 25.0;  // W/(m² K)
inline constexpr double kFaimanU1 = 6.84;  // W s/(m³ K)
inline constexpr double kAssumedWind_m_per_s = 1.0;
inline constexpr double kMartinRuizAr = 0.16;  // angular loss coefficient of glass modules

// Annual sums of one plane, kWh/m² (irradiation) or kWh/kWp (DC energy before system losses).
struct PlaneAnnual {
    double planeOfArray = 0;  // beam + sky diffuse + ground reflected
    double effective = 0;     // after the incidence-angle modifier
    double dcPerKWp = 0;      // after the temperature correction
};

// The DC energy per kWp of a plane in each step (kWh per step and kWp, before system losses).
// tilt: 0 horizontal, 90 wall; azimuth: 0 south, -90 east, 90 west (any value, periodic).
//   plane of array: beam, and the diffuse light by the sky model of Perez et al. (1990)
//     prepared in the weather year (circumsolar, isotropic, horizon band), ground reflected
//     with reflectance 0.2 (isotropic);
//   incidence-angle modifier: Martin and Ruiz, "Calculation of the PV modules angular losses
//     under field conditions by means of an analytical model", Solar Energy Materials and
//     Solar Cells 70 (2001), beam and the diffuse and ground approximations, a_r = 0.16;
//   module temperature: Faiman, "Assessing the outdoor operating temperature of photovoltaic
//     modules", Progress in Photovoltaics 16 (2008), U0 = 25, U1 = 6.84 at 1 m/s wind;
//   power: proportional to the effective irradiance, -0.4 %/K from 25 °C.
// `series` is resized to kStepCount; night steps are 0.
PlaneAnnual planeYieldPerKWp(const WeatherYear& weather, double tilt_deg, double azimuth_deg,
                             std::vector<double>& series);

}  // namespace lumetra::simulation
