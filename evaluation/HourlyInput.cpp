// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/HourlyInput.h"

#include <utility>

namespace lumetra::evaluation {

namespace {

double ratePerHour(const BatteryPower& power, double capacity_kWh) {
    if (power.unit == PowerUnit::CRate) {
        return power.value;
    }
    // Without a capacity the rate does not matter; it stays finite.
    return capacity_kWh > 0 ? power.value / capacity_kWh
                            : simulation::BatteryBehaviour{}.chargeRate_per_h;
}

}  // namespace

MainWindowInputs mainWindowInputs(const simulation::SimulationInput& fromCalculator) {
    return {fromCalculator.batteryCapacity_kWh, fromCalculator.electricityPrice_EUR_per_kWh,
            fromCalculator.feedInTariff_EUR_per_kWh};
}

simulation::BatteryBehaviour batteryBehaviour(const BatteryInputs& battery, double capacity_kWh) {
    simulation::BatteryBehaviour behaviour;
    behaviour.chargeRate_per_h = ratePerHour(battery.chargePower, capacity_kWh);
    behaviour.dischargeRate_per_h = ratePerHour(battery.dischargePower, capacity_kWh);
    behaviour.chargeEfficiency = battery.chargeEfficiency_percent / 100.0;
    behaviour.dischargeEfficiency = battery.dischargeEfficiency_percent / 100.0;
    behaviour.minimumStateOfCharge = battery.minimumCharge_percent / 100.0;
    return behaviour;
}

void setBattery(simulation::SimulationInput& input, const BatteryInputs& battery,
                double capacity_kWh) {
    input.batteryCapacity_kWh = capacity_kWh;
    input.batteryBehaviour = batteryBehaviour(battery, capacity_kWh);
}

simulation::HouseholdLoad householdLoadOf(HouseholdProfile profile) {
    switch (profile) {
        case HouseholdProfile::Standard:
            return simulation::HouseholdLoad::Standard;
        case HouseholdProfile::Measured:
            return simulation::HouseholdLoad::Measured;
        default:
            return simulation::HouseholdLoad::Simulated;
    }
}

simulation::SimulationInput hourlyInput(simulation::SimulationInput fromCalculator,
                                        const EvaluationInputs& inputs,
                                        std::shared_ptr<const simulation::WeatherFile> weather,
                                        std::shared_ptr<const std::vector<double>> measured) {
    simulation::SimulationInput input = std::move(fromCalculator);
    const MainWindowInputs main = mainWindowInputs(input);
    setBattery(input, inputs.battery, inputValue(inputs, InputId::BatteryCapacity, main));
    input.electricityPrice_EUR_per_kWh = inputValue(inputs, InputId::ElectricityPrice, main);
    input.feedInTariff_EUR_per_kWh = inputValue(inputs, InputId::FeedInTariff, main);
    input.grid.feedInLimit_fraction = inputs.feedInLimit_percent / 100.0;
    input.grid.inverterPower_kW = inputs.inverterPower_kW;
    input.weather = std::move(weather);
    simulation::HouseholdLoadInput& load = input.demand.householdLoad;
    load.kind = householdLoadOf(inputs.householdProfile);
    load.otherHome = inputs.otherHome;
    if (load.kind == simulation::HouseholdLoad::Measured) {
        load.measured = std::move(measured);
        load.measuredScaledToAnnual = inputs.measuredLoad.scaledToAnnual;
    }
    return input;
}

}  // namespace lumetra::evaluation
