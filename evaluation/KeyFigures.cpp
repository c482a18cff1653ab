// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/KeyFigures.h"

#include <numeric>

#include "evaluation/GermanNumber.h"
#include "model/Quantity.h"

namespace lumetra::evaluation {
namespace {

std::optional<double> ratio(double numerator, double denominator) {
    if (denominator > 0) {
        return numerator / denominator;
    }
    return std::nullopt;
}

std::string energy(double kWh) {
    return formatWithUnit(kWh, 0, "kWh");
}

std::string share(const std::optional<double>& fraction) {
    return fraction ? formatGermanPercent(*fraction, 0) : std::string(kNoFigure);
}

}  // namespace

KeyFigures monthlyModelFigures(const CalculatorState& state) {
    const auto& values = state.values;
    KeyFigures figures;
    figures.yield_kWh = values[AnnualYield];
    figures.specificYield_kWh_per_kWp = ratio(values[AnnualYield], values[SolarPower] / 1000.0);
    figures.selfConsumption_kWh = values[SelfConsumption];
    figures.selfConsumptionShare = ratio(values[SelfConsumption], values[AnnualYield]);
    figures.feedIn_kWh = values[FeedIn];
    figures.purchase_kWh = values[GridPurchase];
    const MonthlyValues& consumption = state.figures.monthlyConsumption;
    figures.demand_kWh = std::accumulate(consumption.begin(), consumption.end(), 0.0);
    figures.selfSufficiency = ratio(values[SelfConsumption], figures.demand_kWh);
    figures.batteryCapacity_kWh = values[StorageCapacity];
    figures.moneyPerYear_EUR = values[SelfConsumptionValue] + values[FeedInValue];
    return figures;
}

KeyFigures hourlyFigures(const simulation::HourlyResult& result, double electricityPrice,
                         double feedInTariff) {
    const simulation::FlowSums& annual = result.annual;
    KeyFigures figures;
    figures.yield_kWh = annual.yield_kWh;
    if (result.peakPower_kWp > 0) {
        figures.specificYield_kWh_per_kWp = annual.specificYield_kWh_per_kWp;
    }
    figures.selfConsumption_kWh = annual.direct_kWh + annual.batteryDischarge_kWh;
    if (annual.yield_kWh > 0) {
        figures.selfConsumptionShare = annual.selfConsumptionShare;
    }
    if (annual.demand_kWh > 0) {
        figures.selfSufficiency = annual.selfSufficiency;
    }
    figures.feedIn_kWh = annual.feedIn_kWh;
    figures.purchase_kWh = annual.purchase_kWh;
    figures.demand_kWh = annual.demand_kWh;
    figures.batteryCapacity_kWh = result.batteryCapacity_kWh;
    if (result.batteryCapacity_kWh > 0) {
        figures.batteryCycles = annual.batteryCycles;
    }
    figures.moneyPerYear_EUR =
        figures.selfConsumption_kWh * electricityPrice + annual.feedIn_kWh * feedInTariff;
    return figures;
}

std::vector<KeyFigureRow> keyFigureRows(const KeyFigures& monthly,
                                        const std::optional<KeyFigures>& hourly) {
    struct Column {
        std::string yield, specific, self, selfShare, sufficiency, feedIn, purchase, demand,
            battery, cycles, money;
    };
    const auto column = [](const KeyFigures& f) {
        Column c;
        c.yield = energy(f.yield_kWh);
        c.specific = f.specificYield_kWh_per_kWp
                         ? formatWithUnit(*f.specificYield_kWh_per_kWp, 0, "kWh/kWp")
                         : std::string(kNoFigure);
        c.self = energy(f.selfConsumption_kWh);
        c.selfShare = share(f.selfConsumptionShare);
        c.sufficiency = share(f.selfSufficiency);
        c.feedIn = energy(f.feedIn_kWh);
        c.purchase = energy(f.purchase_kWh);
        c.demand = energy(f.demand_kWh);
        c.battery = formatWithUnit(f.batteryCapacity_kWh, 1, "kWh");
        c.cycles = f.batteryCycles ? formatWithUnit(*f.batteryCycles, 0, "Zyklen/Jahr")
                                   : std::string(kNoFigure);
        c.money = formatWithUnit(f.moneyPerYear_EUR, 0, "Euro/Jahr");
        return c;
    };
    const Column m = column(monthly);
    const Column h = hourly ? column(*hourly) : Column{};
    const auto pick = [&](std::string Column::*member) {
        return hourly ? h.*member : std::string(kNoFigure);
    };
    return {
        {"Ertrag", m.yield, pick(&Column::yield)},
        {"Spezifischer Ertrag", m.specific, pick(&Column::specific)},
        {"Eigenverbrauch", m.self, pick(&Column::self)},
        {"Eigenverbrauchsanteil", m.selfShare, pick(&Column::selfShare)},
        {"Autarkiegrad", m.sufficiency, pick(&Column::sufficiency)},
        {"Einspeisung", m.feedIn, pick(&Column::feedIn)},
        {"Netzbezug", m.purchase, pick(&Column::purchase)},
        {"Stromverbrauch", m.demand, pick(&Column::demand)},
        {"Speichergröße", m.battery, pick(&Column::battery)},
        {"Speicherzyklen", m.cycles, pick(&Column::cycles)},
        {"Ersparnis und Vergütung", m.money, pick(&Column::money)},
    };
}

std::string statusLineText(const KeyFigures& hourly) {
    return "Stundenbilanz: Autarkiegrad " + share(hourly.selfSufficiency) +
           ", Eigenverbrauchsanteil " + share(hourly.selfConsumptionShare) +
           " – Details: Klick auf das Diagramm";
}

}  // namespace lumetra::evaluation
