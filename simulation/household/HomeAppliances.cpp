// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/household/HomeAppliances.h"

#include <algorithm>
#include <cmath>

namespace lumetra::simulation {

namespace {

// The washing cycle's power steps: up to and including `lastMinute`, `watts`.
struct WashingStep {
    int lastMinute;
    double watts;
};
constexpr std::array<WashingStep, 11> kWashingSteps = {{
    {8, 73},     // fill
    {29, 2056},  // heat
    {81, 73},    // wash
    {92, 73},    // spin
    {94, 250},   // rinse
    {105, 73},   //
    {107, 250},  // rinse
    {118, 73},   //
    {120, 250},  // rinse
    {131, 73},   //
    {133, 250},  // rinse
}};

}  // namespace

bool hasWashingShape(int index) {
    return index == kWashingMachineIndex || index == kWasherDryerIndex;
}

bool isTelevision(int index) {
    return std::find(kTelevisionIndices.begin(), kTelevisionIndices.end(), index) !=
           kTelevisionIndices.end();
}

bool isColdAppliance(const ApplianceType& type) {
    return type.category == "Cold";
}

double washingCyclePower_W(int cycleMinute, double ratedPower_W) {
    for (const WashingStep& step : kWashingSteps) {
        if (cycleMinute <= step.lastMinute) {
            return step.watts;
        }
    }
    return ratedPower_W;
}

std::vector<HomeAppliance> typicalHomeAppliances(const HouseholdTables& tables,
                                                 HouseholdRandom& random) {
    std::vector<HomeAppliance> home;
    const int count =
        std::min<int>(kFirstHeatingApplianceIndex, static_cast<int>(tables.appliances.size()));
    for (int index = 0; index < count; ++index) {
        const ApplianceType& type = tables.appliances[static_cast<std::size_t>(index)];
        if (!type.typical) {
            continue;
        }
        HomeAppliance appliance;
        appliance.index = index;
        appliance.type = &type;
        appliance.cyclePower_W = std::max(
            0.0,
            random.normal(type.meanCyclePower_W, kCyclePowerDeviation * type.meanCyclePower_W));
        const int length = static_cast<int>(std::lround(type.meanCycleLength_min));
        if (hasWashingShape(index)) {
            for (int minute = 1; minute <= length; ++minute) {
                appliance.cycleEnergy_Wmin += washingCyclePower_W(minute, appliance.cyclePower_W);
            }
        } else {
            appliance.cycleEnergy_Wmin = appliance.cyclePower_W * length;
        }
        home.push_back(appliance);
    }
    return home;
}

}  // namespace lumetra::simulation
