// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <vector>

#include "evaluation/EvaluationInputs.h"
#include "simulation/HourlyBalance.h"

namespace lumetra::evaluation {

// One point of a sizing curve: the battery in kWh or the roof's peak power in kWp, and the
// hourly balance's shares there (fractions 0..1).
struct SizingPoint {
    double size = 0;
    double selfSufficiency = 0;
    double selfConsumptionShare = 0;
};

// The hourly balance of one input at every battery size of sizingBatteryCapacities(): its
// year's sums at each, from which the battery's sizing curve and the variants with and
// without a battery come.
struct BatterySweep {
    struct Point {
        double capacity_kWh = 0;
        simulation::FlowSums annual;
    };
    std::vector<Point> points;
    double peakPower_kWp = 0;
    bool complete = false;  // false when cancelled on the way
};

struct SizingCurves {
    std::vector<SizingPoint> battery;  // usable capacity 0..20 kWh
    std::vector<SizingPoint> roof;     // every module field scaled from 0.25x to 3x
    bool complete = false;             // false when cancelled on the way
};

// The battery sizes and roof scales the curves are computed at.
std::vector<double> sizingBatteryCapacities();
std::vector<double> sizingRoofScales();

// Runs the hourly balance once per battery size, each battery with the Auswertung's behaviour
// `battery`. Meant for a worker thread with its own `balance`; stops early when `cancel`
// becomes true.
BatterySweep computeBatterySweep(simulation::HourlyBalance& balance,
                                 const simulation::SimulationInput& base,
                                 const BatteryInputs& battery, const std::atomic<bool>& cancel);

// The battery's sizing curve of a sweep.
std::vector<SizingPoint> batteryCurve(const BatterySweep& sweep);

// Runs the hourly balance once per roof scale, with the base input's battery.
std::vector<SizingPoint> computeRoofCurve(simulation::HourlyBalance& balance,
                                          const simulation::SimulationInput& base,
                                          const std::atomic<bool>& cancel);

// Both curves, the battery's from `sweep` when it is given and complete, else computed.
SizingCurves computeSizingCurves(simulation::HourlyBalance& balance,
                                 const simulation::SimulationInput& base,
                                 const BatteryInputs& battery, const std::atomic<bool>& cancel,
                                 const BatterySweep* sweep = nullptr);

}  // namespace lumetra::evaluation
