// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/EvaluationInputs.h"

#include <algorithm>
#include <cmath>

namespace lumetra::evaluation {

const std::array<InputInfo, kInputCount> kInputInfo{{
    {InputId::InvestmentPerKWp, "Investition je kWp", "Investition je kWp", "Euro/kWp", 0, 0,
     20000},
    {InputId::InvestmentPerKWh, "Speicherkosten je kWh", "Speicherkosten je kWh", "Euro/kWh", 0, 0,
     20000},
    {InputId::RunningCost, "Betriebskosten", "Betriebskosten", "%/Jahr", 1, 0, 50},
    {InputId::PriceRise, "Strompreissteigerung", "Strompreissteigerung", "%/Jahr", 1, -20, 50},
    {InputId::YieldLoss, "Ertragsminderung", "Ertragsminderung", "%/Jahr", 1, 0, 20},
    {InputId::Years, "Betrachtungsdauer", "Betrachtungsdauer", "Jahre", 0, 1, 50},
    {InputId::DiscountRate, "Kalkulationszins", "Kalkulationszins", "%/Jahr", 1, -10, 50},
    {InputId::BatteryCapacity, "Speicher der Stundenbilanz", "Speicher Stundenbilanz", "kWh", 1, 0,
     1000},
}};

const InputInfo& inputInfo(InputId id) {
    return kInputInfo[static_cast<std::size_t>(id)];
}

double inputValue(const EvaluationInputs& inputs, InputId id, double mainBattery_kWh) {
    switch (id) {
        case InputId::InvestmentPerKWp:
            return inputs.investmentPerKWp_EUR;
        case InputId::InvestmentPerKWh:
            return inputs.investmentPerKWh_EUR;
        case InputId::RunningCost:
            return inputs.runningCost_percent;
        case InputId::PriceRise:
            return inputs.priceRise_percent;
        case InputId::YieldLoss:
            return inputs.yieldLoss_percent;
        case InputId::Years:
            return inputs.years;
        case InputId::DiscountRate:
            return inputs.discountRate_percent;
        case InputId::BatteryCapacity:
            return inputs.batteryCapacity_kWh.value_or(mainBattery_kWh);
    }
    return 0;
}

bool setInputValue(EvaluationInputs& inputs, InputId id, double value) {
    if (std::isnan(value)) {
        return false;
    }
    const InputInfo& info = inputInfo(id);
    value = std::clamp(value, info.minimum, info.maximum);
    const EvaluationInputs before = inputs;
    switch (id) {
        case InputId::InvestmentPerKWp:
            inputs.investmentPerKWp_EUR = value;
            break;
        case InputId::InvestmentPerKWh:
            inputs.investmentPerKWh_EUR = value;
            break;
        case InputId::RunningCost:
            inputs.runningCost_percent = value;
            break;
        case InputId::PriceRise:
            inputs.priceRise_percent = value;
            break;
        case InputId::YieldLoss:
            inputs.yieldLoss_percent = value;
            break;
        case InputId::Years:
            inputs.years = static_cast<int>(std::lround(value));
            break;
        case InputId::DiscountRate:
            inputs.discountRate_percent = value;
            break;
        case InputId::BatteryCapacity:
            inputs.batteryCapacity_kWh = value;
            break;
    }
    return !(inputs == before);
}

bool differsFromDefault(const EvaluationInputs& inputs, InputId id) {
    if (id == InputId::BatteryCapacity) {
        return inputs.batteryCapacity_kWh.has_value();
    }
    const EvaluationInputs defaults;
    return inputValue(inputs, id) != inputValue(defaults, id);
}

}  // namespace lumetra::evaluation
