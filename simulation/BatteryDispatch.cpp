// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/BatteryDispatch.h"

#include <algorithm>
#include <cmath>

#include "simulation/calendar/ReferenceYear.h"

namespace lumetra::simulation {

namespace {

// The state of charge at the end of a year begun with `start`, without keeping the flows.
double endOfYear(const std::vector<double>& pv, const std::vector<double>& demand,
                 const BatteryParameters& battery, double start) {
    double soc = start;
    const std::size_t count = pv.size();
    for (std::size_t i = 0; i < count; ++i) {
        soc = batteryStep(soc, pv[i] - demand[i], kStepHours, battery).stateOfCharge_kWh;
    }
    return soc;
}

void runYear(const std::vector<double>& pv, const std::vector<double>& demand,
             const BatteryParameters& battery, double start, DispatchSeries& out) {
    double soc = start;
    const std::size_t count = pv.size();
    for (std::size_t i = 0; i < count; ++i) {
        const double direct = std::min(pv[i], demand[i]);
        const BatteryStepResult step = batteryStep(soc, pv[i] - demand[i], kStepHours, battery);
        soc = step.stateOfCharge_kWh;
        out.direct[i] = direct;
        out.charge[i] = step.charge_kWh;
        out.discharge[i] = step.discharge_kWh;
        out.feedIn[i] = pv[i] - direct - step.charge_kWh;
        out.purchase[i] = demand[i] - direct - step.discharge_kWh;
        out.stateOfCharge[i] = soc;
        out.loss[i] = step.loss_kWh;
    }
}

}  // namespace

void dispatch(const std::vector<double>& pv, const std::vector<double>& demand,
              const BatteryParameters& parameters, DispatchSeries& out) {
    const std::size_t count = pv.size();
    for (auto* series : {&out.direct, &out.charge, &out.discharge, &out.feedIn, &out.purchase,
                         &out.stateOfCharge, &out.loss}) {
        series->resize(count);
    }
    BatteryParameters battery = parameters;
    if (!(std::isfinite(battery.capacity_kWh) && battery.capacity_kWh > 0)) {
        battery.capacity_kWh = 0;
    }
    // The end state rises monotonically with the start state and forgets it as soon as the
    // battery runs full or empty once; a few years settle it. Only the last one keeps its flows.
    const double lowest = battery.minimumStateOfCharge * battery.capacity_kWh;
    double start = lowest;
    out.years = 1;
    if (battery.capacity_kWh > 0) {
        while (out.years < kMaxSteadyStateYears) {
            const double end = endOfYear(pv, demand, battery, start);
            ++out.years;
            const bool settled =
                std::abs(end - start) <= kSteadyStateTolerance * battery.capacity_kWh;
            start = end;
            if (settled) {
                break;
            }
        }
    }
    runYear(pv, demand, battery, start, out);
    out.initialStateOfCharge = start;
}

}  // namespace lumetra::simulation
