// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/BatteryDispatch.h"

#include <algorithm>
#include <cmath>

#include "simulation/calendar/ReferenceYear.h"

namespace lumetra::simulation {

namespace {

struct StepFlows {
    double direct = 0;
    double feedIn = 0;
    double purchase = 0;
    double curtailed = 0;
    BatteryStepResult battery;
};

// The one rule of a step: PV to the house, the battery, the grid, in this order.
StepFlows dispatchStep(double pv, double demand, double soc, const BatteryParameters& battery,
                       const DispatchLimits& limits) {
    StepFlows flows;
    const double delivered = std::min(pv, limits.pvOutput_kWh);
    flows.direct = std::min(delivered, demand);
    flows.battery = batteryStep(soc, delivered - demand, kStepHours, battery);
    const double surplus = std::max(0.0, delivered - flows.direct - flows.battery.charge_kWh);
    flows.feedIn = std::min(surplus, limits.feedIn_kWh);
    flows.curtailed = (pv - delivered) + (surplus - flows.feedIn);
    flows.purchase = demand - flows.direct - flows.battery.discharge_kWh;
    return flows;
}

// The state of charge at the end of a year begun with `start`, without keeping the flows.
double endOfYear(const std::vector<double>& pv, const std::vector<double>& demand,
                 const BatteryParameters& battery, const DispatchLimits& limits, double start) {
    double soc = start;
    const std::size_t count = pv.size();
    for (std::size_t i = 0; i < count; ++i) {
        soc = dispatchStep(pv[i], demand[i], soc, battery, limits).battery.stateOfCharge_kWh;
    }
    return soc;
}

void runYear(const std::vector<double>& pv, const std::vector<double>& demand,
             const BatteryParameters& battery, const DispatchLimits& limits, double start,
             DispatchSeries& out) {
    double soc = start;
    const std::size_t count = pv.size();
    for (std::size_t i = 0; i < count; ++i) {
        const StepFlows flows = dispatchStep(pv[i], demand[i], soc, battery, limits);
        soc = flows.battery.stateOfCharge_kWh;
        out.direct[i] = flows.direct;
        out.charge[i] = flows.battery.charge_kWh;
        out.discharge[i] = flows.battery.discharge_kWh;
        out.feedIn[i] = flows.feedIn;
        out.purchase[i] = flows.purchase;
        out.stateOfCharge[i] = soc;
        out.loss[i] = flows.battery.loss_kWh;
        out.curtailed[i] = flows.curtailed;
    }
}

}  // namespace

void dispatch(const std::vector<double>& pv, const std::vector<double>& demand,
              const BatteryParameters& parameters, const DispatchLimits& limits,
              DispatchSeries& out) {
    const std::size_t count = pv.size();
    for (auto* series : {&out.direct, &out.charge, &out.discharge, &out.feedIn, &out.purchase,
                         &out.stateOfCharge, &out.loss, &out.curtailed}) {
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
            const double end = endOfYear(pv, demand, battery, limits, start);
            ++out.years;
            const bool settled =
                std::abs(end - start) <= kSteadyStateTolerance * battery.capacity_kWh;
            start = end;
            if (settled) {
                break;
            }
        }
    }
    runYear(pv, demand, battery, limits, start, out);
    out.initialStateOfCharge = start;
}

}  // namespace lumetra::simulation
