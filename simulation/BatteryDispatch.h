// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "simulation/HourlyBalance.h"

namespace lumetra::simulation {

// The home battery: charge and discharge power limits as a fraction of the usable capacity
// per hour (0.5 C), and the efficiency of each way.
inline constexpr double kBatteryCRate_per_h = 0.5;
inline constexpr double kBatteryChargeEfficiency = 0.95;
inline constexpr double kBatteryDischargeEfficiency = 0.95;
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

// Covers the demand from the PV first, charges the battery only from surplus, discharges it
// only into a deficit, feeds in and buys the rest. The year starts with the state of charge
// it ends with.
void dispatch(const std::vector<double>& pv, const std::vector<double>& demand, double capacity_kWh,
              DispatchSeries& out);

}  // namespace lumetra::simulation
