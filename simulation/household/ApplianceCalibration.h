// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "simulation/household/HomeAppliances.h"

namespace lumetra::simulation {

// The bounds of the household calibration factor c.
inline constexpr double kCalibrationFactorMax = 100;
// An appliance's c is capped so that at least this share of the minutes in which it may start
// stays free of its cycles and restart delays (the fridge freezer would run out of free time
// from about c = 1.3).
inline constexpr double kMinFreeShare = 0.05;

struct ApplianceCalibration {
    double factor = 0;                   // c
    std::vector<double> expectedStarts;  // per home appliance: cycles per year x its c
    std::vector<double> startScalar;     // per home appliance: start chance per activity chance
    double expected_kWh = 0;             // the appliances' expected energy at c
};

// Calibrates the start chances of a home's appliances (Richardson et al. 2010): an appliance
// started cycles x c times a year in `freeMinutes` = 525,600 x s - cycles x c x (cycle length +
// restart delay) (s = `activeShare` when it depends on occupancy, else 1) starts at the rate
// lambda = cycles x c / freeMinutes per free minute, so its scalar is lambda / its activity
// probability. c is found by bisection in 0..kCalibrationFactorMax so that the expected
// annual energy (cycles x c x cycle energy plus standby for the minutes not running) meets
// `target_kWh`; it stays at a bound when the target lies beyond.
ApplianceCalibration calibrateAppliances(const std::vector<HomeAppliance>& appliances,
                                         double activeShare, double target_kWh);

}  // namespace lumetra::simulation
