// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "simulation/battery/BatteryStep.h"

namespace lumetra::simulation {

// Years run until the state of charge at the end equals the one at the start within this
// fraction of the capacity (or kMaxSteadyStateYears).
inline constexpr double kSteadyStateTolerance = 1e-9;
inline constexpr int kMaxSteadyStateYears = 20;

// The flows of each step, kWh per step (state of charge: kWh at the step's end).
struct DispatchSeries {
    std::vector<double> direct;
    std::vector<double> charge;
    std::vector<double> discharge;
    std::vector<double> feedIn;
    std::vector<double> purchase;
    std::vector<double> stateOfCharge;
    std::vector<double> loss;
    double initialStateOfCharge = 0;
    int years = 0;  // years run to reach the steady state
};

// Covers the demand from the PV first, then steps the battery (batteryStep) with what is left
// over or missing, feeds in and buys the rest. The year starts with the state of charge it
// ends with.
void dispatch(const std::vector<double>& pv, const std::vector<double>& demand,
              const BatteryParameters& battery, DispatchSeries& out);

}  // namespace lumetra::simulation
