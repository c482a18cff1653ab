// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace lumetra::simulation {

// Module temperature by Faiman, "Assessing the outdoor operating temperature of photovoltaic
// modules", Progress in Photovoltaics 16 (2008) 307-315:
//   T_module = T_air + G_poa / (U0 + U1 v)
// °C, the plane-of-array irradiance in W/m² and the wind speed in m/s. The defaults are
// Faiman's values for open-rack silicon modules: U0 = 25 W/(m² K), U1 = 6.84 W s/(m³ K).
inline constexpr double kFaimanU0 = 25.0;
inline constexpr double kFaimanU1 = 6.84;

double faimanModuleTemperature(double planeOfArray_W_per_m2, double air_C, double wind_m_per_s,
                               double u0 = kFaimanU0, double u1 = kFaimanU1);

}  // namespace lumetra::simulation
