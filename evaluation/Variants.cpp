// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/Variants.h"

namespace lumetra::evaluation {

namespace {

Variant variantOf(const simulation::FlowSums& annual, double peakPower_kWp, double capacity_kWh,
                  double electricityPrice, double feedInTariff, const EvaluationInputs& inputs) {
    Variant variant;
    variant.batteryCapacity_kWh = capacity_kWh;
    variant.figures =
        hourlyFigures(annual, peakPower_kWp, capacity_kWh, electricityPrice, feedInTariff);
    variant.money = computeMoney(
        moneyBasis(variant.figures, peakPower_kWp, electricityPrice, feedInTariff), inputs);
    return variant;
}

void addBatteryAlone(Variant& variant, const Variant& without) {
    if (variant.batteryCapacity_kWh > 0) {
        variant.batteryAlone = moneyDifference(variant.money, without.money);
    }
}

}  // namespace

Variants computeVariants(const BatterySweep& sweep, const simulation::HourlyResult& current,
                         double electricityPrice, double feedInTariff,
                         const EvaluationInputs& inputs) {
    Variants variants;
    const double peak = current.peakPower_kWp;
    variants.withBattery = variantOf(current.annual, peak, current.batteryCapacity_kWh,
                                     electricityPrice, feedInTariff, inputs);
    bool first = true;
    for (const BatterySweep::Point& point : sweep.points) {
        Variant variant = variantOf(point.annual, peak, point.capacity_kWh, electricityPrice,
                                    feedInTariff, inputs);
        if (point.capacity_kWh == 0) {
            variants.withoutBattery = variant;
        }
        if (first ||
            variant.money.netPresentValue_EUR > variants.bestBattery.money.netPresentValue_EUR) {
            variants.bestBattery = std::move(variant);
            first = false;
        }
    }
    addBatteryAlone(variants.withBattery, variants.withoutBattery);
    addBatteryAlone(variants.bestBattery, variants.withoutBattery);
    return variants;
}

}  // namespace lumetra::evaluation
