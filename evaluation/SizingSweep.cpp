// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/SizingSweep.h"

#include "evaluation/HourlyInput.h"

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

SizingPoint pointOf(double size, const simulation::FlowSums& annual) {
    return {size, annual.selfSufficiency, annual.selfConsumptionShare};
}

}  // namespace

BatterySweep computeBatterySweep(simulation::HourlyBalance& balance,
                                 const simulation::SimulationInput& base,
                                 const BatteryInputs& battery, const std::atomic<bool>& cancel) {
    BatterySweep sweep;
    simulation::SimulationInput input = base;
    for (double capacity : sizingBatteryCapacities()) {
        if (cancel.load()) {
            return sweep;
        }
        setBattery(input, battery, capacity);
        const simulation::HourlyResult& result = balance.run(input);
        sweep.peakPower_kWp = result.peakPower_kWp;
        sweep.points.push_back({capacity, result.annual});
    }
    sweep.complete = true;
    return sweep;
}

std::vector<SizingPoint> batteryCurve(const BatterySweep& sweep) {
    std::vector<SizingPoint> curve;
    for (const BatterySweep::Point& point : sweep.points) {
        curve.push_back(pointOf(point.capacity_kWh, point.annual));
    }
    return curve;
}

std::vector<SizingPoint> computeRoofCurve(simulation::HourlyBalance& balance,
                                          const simulation::SimulationInput& base,
                                          const std::atomic<bool>& cancel) {
    std::vector<SizingPoint> curve;
    double basePeak = 0;
    for (const simulation::PlaneInput& plane : base.planes) {
        basePeak += plane.peakPower_kWp;
    }
    for (double scale : sizingRoofScales()) {
        if (cancel.load()) {
            return curve;
        }
        simulation::SimulationInput input = base;
        for (simulation::PlaneInput& plane : input.planes) {
            plane.peakPower_kWp *= scale;
        }
        curve.push_back(pointOf(basePeak * scale, balance.run(input).annual));
    }
    return curve;
}

SizingCurves computeSizingCurves(simulation::HourlyBalance& balance,
                                 const simulation::SimulationInput& base,
                                 const BatteryInputs& battery, const std::atomic<bool>& cancel,
                                 const BatterySweep* sweep) {
    SizingCurves curves;
    if (sweep != nullptr && sweep->complete) {
        curves.battery = batteryCurve(*sweep);
    } else {
        const BatterySweep computed = computeBatterySweep(balance, base, battery, cancel);
        if (!computed.complete) {
            return curves;
        }
        curves.battery = batteryCurve(computed);
    }
    curves.roof = computeRoofCurve(balance, base, cancel);
    curves.complete = curves.roof.size() == sizingRoofScales().size();
    return curves;
}

}  // namespace lumetra::evaluation
