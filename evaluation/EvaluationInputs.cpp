// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/EvaluationInputs.h"

#include <algorithm>
#include <cmath>
#include <type_traits>
#include <utility>

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
    // A power's range here is that of a C-rate; in kW see inputRange.
    {InputId::ChargePower, "Ladeleistung", "Ladeleistung Speicher", "C", 2, 0.05, 10},
    {InputId::DischargePower, "Entladeleistung", "Entladeleistung Speicher", "C", 2, 0.05, 10},
    {InputId::ChargeEfficiency, "Wirkungsgrad beim Laden", "Wirkungsgrad Laden", "%", 1, 50, 100},
    {InputId::DischargeEfficiency, "Wirkungsgrad beim Entladen", "Wirkungsgrad Entladen", "%", 1,
     50, 100},
    {InputId::MinimumCharge, "Mindestladezustand", "Mindestladezustand", "%", 0, 0, 90},
    {InputId::BatteryLifetime, "Lebensdauer des Speichers", "Lebensdauer Speicher", "Jahre", 0, 1,
     50},
    {InputId::ElectricityPrice, "Strompreis", "Strompreis Auswertung", "Euro/kWh", 4, 0, 10},
    {InputId::FeedInTariff, "Einspeisevergütung", "Einspeisepreis Auswertung", "Euro/kWh", 4, 0,
     10},
    {InputId::FeedInLimit, "Einspeisegrenze", "Einspeisegrenze", "%", 0, 0, 100},
    {InputId::InverterPower, "Wechselrichterleistung", "Wechselrichterleistung", "kW", 1, 0, 1000},
}};

namespace {

// A power in kW: from a tenth of a kW to what a large home's connection could take.
constexpr InputRange kKilowattRange{0.1, 1000, 1};

// The member behind a power, or nothing (Inputs: EvaluationInputs, const or not).
template <typename Inputs>
auto* powerOf(Inputs& inputs, InputId id) {
    using Power = std::conditional_t<std::is_const_v<Inputs>, const BatteryPower, BatteryPower>;
    switch (id) {
        case InputId::ChargePower:
            return static_cast<Power*>(&inputs.battery.chargePower);
        case InputId::DischargePower:
            return static_cast<Power*>(&inputs.battery.dischargePower);
        default:
            return static_cast<Power*>(nullptr);
    }
}

// The own value of an input that can follow the main window, or nothing.
template <typename Inputs>
auto* followingValue(Inputs& inputs, InputId id) {
    using Value = std::conditional_t<std::is_const_v<Inputs>, const std::optional<double>,
                                     std::optional<double>>;
    switch (id) {
        case InputId::BatteryCapacity:
            return static_cast<Value*>(&inputs.batteryCapacity_kWh);
        case InputId::ElectricityPrice:
            return static_cast<Value*>(&inputs.electricityPrice_EUR_per_kWh);
        case InputId::FeedInTariff:
            return static_cast<Value*>(&inputs.feedInTariff_EUR_per_kWh);
        default:
            return static_cast<Value*>(nullptr);
    }
}

double mainWindowValue(const MainWindowInputs& main, InputId id) {
    switch (id) {
        case InputId::BatteryCapacity:
            return main.battery_kWh;
        case InputId::ElectricityPrice:
            return main.electricityPrice_EUR_per_kWh;
        case InputId::FeedInTariff:
            return main.feedInTariff_EUR_per_kWh;
        default:
            return 0;
    }
}

}  // namespace

const InputInfo& inputInfo(InputId id) {
    return kInputInfo[static_cast<std::size_t>(id)];
}

bool canFollowMainWindow(InputId id) {
    const EvaluationInputs probe;
    return followingValue(probe, id) != nullptr;
}

bool followsMainWindow(const EvaluationInputs& inputs, InputId id) {
    const auto* value = followingValue(inputs, id);
    return value != nullptr && !value->has_value();
}

void setFollowsMainWindow(EvaluationInputs& inputs, InputId id, bool follow, double value) {
    if (auto* own = followingValue(inputs, id)) {
        own->reset();
        if (!follow) {
            setInputValue(inputs, id, value);
        }
    }
}

bool hasPowerUnit(InputId id) {
    return id == InputId::ChargePower || id == InputId::DischargePower;
}

std::string_view powerUnitText(PowerUnit unit) {
    return unit == PowerUnit::Kilowatt ? "kW" : "C";
}

std::optional<PowerUnit> powerUnitFromText(std::string_view text) {
    if (text == "C") {
        return PowerUnit::CRate;
    }
    if (text == "kW") {
        return PowerUnit::Kilowatt;
    }
    return std::nullopt;
}

PowerUnit inputPowerUnit(const EvaluationInputs& inputs, InputId id) {
    const BatteryPower* power = powerOf(inputs, id);
    return power != nullptr ? power->unit : PowerUnit::CRate;
}

std::string_view inputUnit(const EvaluationInputs& inputs, InputId id) {
    return hasPowerUnit(id) ? powerUnitText(inputPowerUnit(inputs, id)) : inputInfo(id).unit;
}

InputRange inputRange(const EvaluationInputs& inputs, InputId id) {
    if (hasPowerUnit(id) && inputPowerUnit(inputs, id) == PowerUnit::Kilowatt) {
        return kKilowattRange;
    }
    const InputInfo& info = inputInfo(id);
    return {info.minimum, info.maximum, info.decimals};
}

void setInputPowerUnit(EvaluationInputs& inputs, InputId id, PowerUnit unit) {
    if (BatteryPower* power = powerOf(inputs, id)) {
        power->unit = unit;
        const InputRange range = inputRange(inputs, id);
        power->value = std::clamp(power->value, range.minimum, range.maximum);
    }
}

double inputValue(const EvaluationInputs& inputs, InputId id, const MainWindowInputs& main) {
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
            return inputs.batteryCapacity_kWh.value_or(mainWindowValue(main, id));
        case InputId::ChargePower:
            return inputs.battery.chargePower.value;
        case InputId::DischargePower:
            return inputs.battery.dischargePower.value;
        case InputId::ChargeEfficiency:
            return inputs.battery.chargeEfficiency_percent;
        case InputId::DischargeEfficiency:
            return inputs.battery.dischargeEfficiency_percent;
        case InputId::MinimumCharge:
            return inputs.battery.minimumCharge_percent;
        case InputId::BatteryLifetime:
            return inputs.batteryLifetime_years;
        case InputId::ElectricityPrice:
            return inputs.electricityPrice_EUR_per_kWh.value_or(mainWindowValue(main, id));
        case InputId::FeedInTariff:
            return inputs.feedInTariff_EUR_per_kWh.value_or(mainWindowValue(main, id));
        case InputId::FeedInLimit:
            return inputs.feedInLimit_percent;
        case InputId::InverterPower:
            return inputs.inverterPower_kW;
    }
    return 0;
}

bool setInputValue(EvaluationInputs& inputs, InputId id, double value) {
    if (std::isnan(value)) {
        return false;
    }
    const InputRange range = inputRange(inputs, id);
    value = std::clamp(value, range.minimum, range.maximum);
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
        case InputId::ChargePower:
            inputs.battery.chargePower.value = value;
            break;
        case InputId::DischargePower:
            inputs.battery.dischargePower.value = value;
            break;
        case InputId::ChargeEfficiency:
            inputs.battery.chargeEfficiency_percent = value;
            break;
        case InputId::DischargeEfficiency:
            inputs.battery.dischargeEfficiency_percent = value;
            break;
        case InputId::MinimumCharge:
            inputs.battery.minimumCharge_percent = value;
            break;
        case InputId::BatteryLifetime:
            inputs.batteryLifetime_years = static_cast<int>(std::lround(value));
            break;
        case InputId::ElectricityPrice:
            inputs.electricityPrice_EUR_per_kWh = value;
            break;
        case InputId::FeedInTariff:
            inputs.feedInTariff_EUR_per_kWh = value;
            break;
        case InputId::FeedInLimit:
            inputs.feedInLimit_percent = value;
            break;
        case InputId::InverterPower:
            inputs.inverterPower_kW = value;
            break;
    }
    return !(inputs == before);
}

bool differsFromDefault(const EvaluationInputs& inputs, InputId id) {
    if (id == InputId::BatteryCapacity) {
        return inputs.batteryCapacity_kWh.has_value();
    }
    const EvaluationInputs defaults;
    if (followsMainWindow(inputs, id)) {
        return true;
    }
    return inputValue(inputs, id) != inputValue(defaults, id) ||
           inputPowerUnit(inputs, id) != inputPowerUnit(defaults, id);
}

namespace {

constexpr std::array<std::pair<HouseholdProfile, std::string_view>, 3> kProfileTexts{{
    {HouseholdProfile::Simulated, "Einzelhaushalt (simuliert)"},
    {HouseholdProfile::Standard, "Standardlastprofil (BDEW H25)"},
    {HouseholdProfile::Measured, "Gemessen (Datei)"},
}};

constexpr std::array<std::pair<simulation::MeasuredUnit, std::string_view>, 4> kUnitTexts{{
    {simulation::MeasuredUnit::Wh, "Wh"},
    {simulation::MeasuredUnit::kWh, "kWh"},
    {simulation::MeasuredUnit::W, "W"},
    {simulation::MeasuredUnit::kW, "kW"},
}};

template <typename Key, std::size_t N>
std::string_view textOf(const std::array<std::pair<Key, std::string_view>, N>& table, Key key) {
    for (const auto& [each, text] : table) {
        if (each == key) {
            return text;
        }
    }
    return table.front().second;
}

template <typename Key, std::size_t N>
std::optional<Key> keyOf(const std::array<std::pair<Key, std::string_view>, N>& table,
                         std::string_view text) {
    for (const auto& [each, eachText] : table) {
        if (eachText == text) {
            return each;
        }
    }
    return std::nullopt;
}

}  // namespace

std::string_view householdProfileText(HouseholdProfile profile) {
    return textOf(kProfileTexts, profile);
}

std::optional<HouseholdProfile> householdProfileFromText(std::string_view text) {
    return keyOf(kProfileTexts, text);
}

std::string_view measuredUnitText(simulation::MeasuredUnit unit) {
    return textOf(kUnitTexts, unit);
}

std::optional<simulation::MeasuredUnit> measuredUnitFromText(std::string_view text) {
    return keyOf(kUnitTexts, text);
}

}  // namespace lumetra::evaluation
