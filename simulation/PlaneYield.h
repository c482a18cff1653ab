// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "simulation/WeatherYear.h"

namespace lumetra::simulation {

inline constexpr double kGroundReflectance = 0.2;

// Annual sums of one plane, kWh/m² (irradiation) or kWh/kWp (DC energy before system losses).
struct PlaneAnnual {
    double planeOfArray = 0;  // beam + sky diffuse + ground reflected
    double effective = 0;     // after the incidence-angle modifier
    double dcPerKWp = 0;      // after the module's power model
};

// The DC energy per kWp of a plane in each step (kWh per step and kWp, before system losses),
// a short composition of the models of module/:
//   plane of array: beam, and the diffuse light by the sky model of Perez et al. (1990)
//     prepared in the weather year (circumsolar, isotropic, horizon band), ground reflected
//     with reflectance 0.2 (isotropic);
//   incidence-angle modifier: Martin and Ruiz (2001), beam and the diffuse and ground
//     approximations, a_r = 0.16;
//   module temperature: Faiman (2008), U0 = 25, U1 = 6.84, with the weather's wind;
//   power: Huld et al. (2011) with PVGIS 5's coefficients for crystalline silicon.
// tilt: 0 horizontal, 90 wall; azimuth: 0 south, -90 east, 90 west (any value, periodic).
// `series` is resized to kStepCount; night steps are 0.
PlaneAnnual planeYieldPerKWp(const WeatherYear& weather, double tilt_deg, double azimuth_deg,
                             std::vector<double>& series);

}  // namespace lumetra::simulation
