// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <limits>
#include <vector>

#include "simulation/battery/BatteryStep.h"

namespace lumetra::simulation {

// Years run until the state of charge at the end equals the one at the start within this
// fraction of the capacity (or kMaxSteadyStateYears).
inline constexpr double kSteadyStateTolerance = 1e-9;
inline constexpr int kMaxSteadyStateYears = 20;

// What one step may give off, kWh per step: the inverter's AC output (what the modules make
// beyond it is lost before the house, the battery or the grid see it) and the feed-in.
struct DispatchLimits {
    double pvOutput_kWh = std::numeric_limits<double>::infinity();
    double feedIn_kWh = std::numeric_limits<double>::infinity();
};

// The flows of each step, kWh per step (state of charge: kWh at the step's end). Per step
// pv = direct + charge + feedIn + curtailed and demand = direct + discharge + purchase.
struct DispatchSeries {
    std::vector<double> direct;
    std::vector<double> charge;
    std::vector<double> discharge;
    std::vector<double> feedIn;
    std::vector<double> purchase;
    std::vector<double> stateOfCharge;
    std::vector<double> loss;
    std::vector<double> curtailed;  // beyond the inverter or the feed-in limit
    double initialStateOfCharge = 0;
    int years = 0;  // years run to reach the steady state
};

// Covers the demand from the PV first (what the inverter delivers of it), then steps the
// battery (batteryStep) with what is left over or missing, feeds in the rest up to the
// feed-in limit, curtails what lies beyond it, and buys what is still missing. Power above the
// feed-in limit thus charges the battery while it has room. The year starts with the state of
// charge it ends with.
void dispatch(const std::vector<double>& pv, const std::vector<double>& demand,
              const BatteryParameters& battery, const DispatchLimits& limits, DispatchSeries& out);

}  // namespace lumetra::simulation
