// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <vector>

#include "simulation/HourlyBalance.h"

namespace lumetra::evaluation {

// One point of a sizing curve: the battery in kWh or the roof's peak power in kWp, and the
// hourly balance's shares there (fractions 0..1).
struct SizingPoint {
    double size = 0;
    double selfSufficiency = 0;
    double selfConsumptionShare = 0;
};

struct SizingCurves {
    std::vector<SizingPoint> battery;  // usable capacity 0..20 kWh
    std::vector<SizingPoint> roof;     // every module field scaled from 0.25x to 3x
    bool complete = false;             // false when cancelled on the way
};

// The battery sizes and roof scales the curves are computed at.
std::vector<double> sizingBatteryCapacities();
std::vector<double> sizingRoofScales();

// Runs the hourly balance once per point, with the base input's roof for the battery curve and
// its battery for the roof curve. Meant for a worker thread with its own `balance`; stops early
// when `cancel` becomes true.
SizingCurves computeSizingCurves(simulation::HourlyBalance& balance,
                                 const simulation::SimulationInput& base,
                                 const std::atomic<bool>& cancel);

}  // namespace lumetra::evaluation
