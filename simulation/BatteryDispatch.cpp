// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/BatteryDispatch.h"

#include <algorithm>
#include <cmath>

namespace lumetra::simulation {

namespace {

// The state of charge at the end of a year begun with `start`: the same steps as runYear,
// without keeping the flows.
double endOfYear(const std::vector<double>& pv, const std::vector<double>& demand, double capacity,
                 double start) {
    const double stepLimit = kBatteryCRate_per_h * capacity * kStepHours;
    double soc = start;
    const std::size_t count = pv.size();
    for (std::size_t i = 0; i < count; ++i) {
        const double surplus = pv[i] - demand[i];
        if (surplus > 0) {
            double charge =
                std::min({surplus, stepLimit, (capacity - soc) / kBatteryChargeEfficiency});
            charge = std::max(charge, 0.0);
            soc = std::min(capacity, soc + charge * kBatteryChargeEfficiency);
        } else if (surplus < 0 && soc > 0) {
            const double discharge =
                std::min({-surplus, stepLimit, soc * kBatteryDischargeEfficiency});
            soc = std::max(0.0, soc - discharge / kBatteryDischargeEfficiency);
        }
    }
    return soc;
}

// One year from `start` with its flows; returns the state of charge at its end.
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
    // The end state rises monotonically with the start state and forgets it as soon as the
    // battery runs full or empty once; a few years settle it. Only the last one keeps its flows.
    double start = 0;
    out.years = 1;
    if (capacity > 0) {
        while (out.years < kMaxSteadyStateYears) {
            const double end = endOfYear(pv, demand, capacity, start);
            ++out.years;
            const bool settled = std::abs(end - start) <= kSteadyStateTolerance * capacity;
            start = end;
            if (settled) {
                break;
            }
        }
    }
    runYear(pv, demand, capacity, start, out);
    out.initialStateOfCharge = start;
}

}  // namespace lumetra::simulation
