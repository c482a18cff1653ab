// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace lumetra::simulation {

// A module's DC power relative to its peak power, by Huld, Friesen, Skoczek, Kenny, Sample,
// Field and Dunlop, "A power-rating model for crystalline silicon PV modules", Solar Energy
// Materials and Solar Cells 95 (2011) 3359-3369:
//   P / P_peak = G' (1 + k1 ln G' + k2 (ln G')² + T' (k3 + k4 ln G' + k5 (ln G')²) + k6 T'²)
// G' = effective irradiance / 1000 W/m², T' = module temperature - 25 °C. Never below 0.
struct HuldCoefficients {
    double k1 = 0;
    double k2 = 0;
    double k3 = 0;  // per K
    double k4 = 0;  // per K
    double k5 = 0;  // per K
    double k6 = 0;  // per K²
};

// The coefficients PVGIS 5 uses for crystalline silicon.
inline constexpr HuldCoefficients kHuldCrystallineSilicon = {-0.017237, -0.040465, -0.004702,
                                                             0.000149,  0.000170,  0.000005};

double huldRelativePower(double effectiveIrradiance_W_per_m2, double moduleTemperature_C,
                         const HuldCoefficients& k = kHuldCrystallineSilicon);

}  // namespace lumetra::simulation
