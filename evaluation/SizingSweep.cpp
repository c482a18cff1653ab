// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/SizingSweep.h"

namespace lumetra::evaluation {

std::vector<double> sizingBatteryCapacities() {
    std::vector<double> sizes;
    for (int kWh = 0; kWh <= 20; ++kWh) {
        sizes.push_back(kWh);
    }
    return sizes;
}

std::vector<double> sizingRoofScales() {
    std::vector<double> scales;
    for (int quarter = 1; quarter <= 12; ++quarter) {
        scales.push_back(quarter * 0.25);
    }
    return scales;
}

namespace {

SizingPoint pointOf(double size, const simulation::HourlyResult& result) {
    return {size, result.annual.selfSufficiency, result.annual.selfConsumptionShare};
}

}  // namespace

SizingCurves computeSizingCurves(simulation::HourlyBalance& balance,
                                 const simulation::SimulationInput& base,
                                 const std::atomic<bool>& cancel) {
    SizingCurves curves;
    simulation::SimulationInput input = base;
    for (double capacity : sizingBatteryCapacities()) {
        if (cancel.load()) {
            return curves;
        }
        input.batteryCapacity_kWh = capacity;
        curves.battery.push_back(pointOf(capacity, balance.run(input)));
    }
    double basePeak = 0;
    for (const simulation::PlaneInput& plane : base.planes) {
        basePeak += plane.peakPower_kWp;
    }
    for (double scale : sizingRoofScales()) {
        if (cancel.load()) {
            return curves;
        }
        input = base;
        for (simulation::PlaneInput& plane : input.planes) {
            plane.peakPower_kWp *= scale;
        }
        curves.roof.push_back(pointOf(basePeak * scale, balance.run(input)));
    }
    curves.complete = true;
    return curves;
}

}  // namespace lumetra::evaluation
