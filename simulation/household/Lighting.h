// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "simulation/household/HouseholdRandom.h"
#include "simulation/household/HouseholdTables.h"
#include "simulation/household/QuarterHourEnergy.h"

namespace lumetra::simulation {

// The lighting model of Richardson, Thomson, Infield and Clifford (2010).
// A bulb's use weighting is -ln(u) times this calibration scalar.
inline constexpr double kBulbUseScale = 0.00815368639667705;
// A home switches lights on below its own outdoor irradiance threshold, drawn once per home.
inline constexpr double kIrradianceThresholdMean_W_per_m2 = 60;
inline constexpr double kIrradianceThresholdDeviation_W_per_m2 = 10;
// The chance that a light is considered although it is bright outside.
inline constexpr double kBrightSwitchOnChance = 0.05;
// The effective occupancy for 0..5 active occupants (people share lights).
inline constexpr std::array<double, 6> kEffectiveOccupancy = {
    0, 1, 1.52814569536424, 1.69370860927152, 1.98344370860927, 2.09437086092715};
// An event's duration: one of nine classes with equal chance, then uniform between its bounds
// (minutes, both included).
inline constexpr std::array<int, 9> kLightDurationLower_min = {1, 2, 3, 5, 9, 17, 28, 50, 92};
inline constexpr std::array<int, 9> kLightDurationUpper_min = {1, 2, 4, 8, 16, 27, 49, 91, 259};

// Simulates the home's lights minute by minute and adds their draw to `energy`. The home takes
// one bulb configuration of the table; each bulb that is off switches on with the chance
// effective occupancy x its use weighting in a minute that is darker than the home's threshold
// (kBrightSwitchOnChance of that otherwise), burns for its event's duration and goes off early
// when nobody is active. `activeOccupants` holds each ten-minute period, `irradiance` the
// global horizontal irradiance of each quarter hour (W/m²). Returns the lights' energy (Wmin).
double simulateLighting(const HouseholdTables& tables,
                        const std::vector<std::uint8_t>& activeOccupants,
                        std::span<const double> irradiance_W_per_m2, HouseholdRandom& random,
                        QuarterHourEnergy& energy);

}  // namespace lumetra::simulation
