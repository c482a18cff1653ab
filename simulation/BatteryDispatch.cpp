// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/BatteryDispatch.h"

#include <algorithm>
#include <cmath>

namespace lumetra::simulation {

namespace {

// One year from `start`; returns the state of charge at its end.
double runYear(const std::vector<double>& pv, const std::vector<double>& demand, double capacity,
               double start, DispatchSeries& out) {
    const double stepLimit = kBatteryCRate_per_h * capacity * kStepHours;
    double soc = start;
    const std::size_t count = pv.size();
    for (std::size_t i = 0; i < count; ++i) {
        const double p = pv[i];
        const double d = demand[i];
        const double direct = std::min(p, d);
        const double surplus = p - direct;
        const double deficit = d - direct;
        double charge = 0;
        double discharge = 0;
        double loss = 0;
        if (surplus > 0 && capacity > 0) {
            charge = std::min({surplus, stepLimit, (capacity - soc) / kBatteryChargeEfficiency});
            charge = std::max(charge, 0.0);
            const double stored = charge * kBatteryChargeEfficiency;
            loss = charge - stored;
            soc = std::min(capacity, soc + stored);
        } else if (deficit > 0 && soc > 0) {
            discharge = std::min({deficit, stepLimit, soc * kBatteryDischargeEfficiency});
            const double taken = discharge / kBatteryDischargeEfficiency;
            loss = taken - discharge;
            soc = std::max(0.0, soc - taken);
        }
        out.direct[i] = direct;
        out.charge[i] = charge;
        out.discharge[i] = discharge;
        out.feedIn[i] = surplus - charge;
        out.purchase[i] = deficit - discharge;
        out.stateOfCharge[i] = soc;
        out.loss[i] = loss;
    }
    return soc;
}

}  // namespace

void dispatch(const std::vector<double>& pv, const std::vector<double>& demand, double capacity_kWh,
              DispatchSeries& out) {
    const std::size_t count = pv.size();
    for (auto* series : {&out.direct, &out.charge, &out.discharge, &out.feedIn, &out.purchase,
                         &out.stateOfCharge, &out.loss}) {
        series->resize(count);
    }
    const double capacity = std::isfinite(capacity_kWh) && capacity_kWh > 0 ? capacity_kWh : 0.0;
    double start = 0;
    out.years = 0;
    // The end state rises monotonically with the start state and forgets it as soon as the
    // battery runs full or empty once; a few years settle it.
    while (true) {
        const double end = runYear(pv, demand, capacity, start, out);
        ++out.years;
        if (capacity <= 0 || std::abs(end - start) <= kSteadyStateTolerance * capacity ||
            out.years >= kMaxSteadyStateYears) {
            break;
        }
        start = end;
    }
    out.initialStateOfCharge = start;
}

}  // namespace lumetra::simulation
