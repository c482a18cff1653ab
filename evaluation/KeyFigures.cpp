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

KeyFigures monthlyModelFigures(const CalculatorState& state, double electricityPrice,
                               double feedInTariff) {
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
    figures.moneyPerYear_EUR =
        figures.selfConsumption_kWh * electricityPrice + figures.feedIn_kWh * feedInTariff;
    return figures;
}

KeyFigures hourlyFigures(const simulation::HourlyResult& result, double electricityPrice,
                         double feedInTariff) {
    return hourlyFigures(result.annual, result.peakPower_kWp, result.batteryCapacity_kWh,
                         electricityPrice, feedInTariff);
}

KeyFigures hourlyFigures(const simulation::FlowSums& annual, double peakPower_kWp,
                         double batteryCapacity_kWh, double electricityPrice, double feedInTariff) {
    KeyFigures figures;
    figures.yield_kWh = annual.yield_kWh;
    if (peakPower_kWp > 0) {
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
    figures.batteryCapacity_kWh = batteryCapacity_kWh;
    if (batteryCapacity_kWh > 0) {
        figures.batteryCycles = annual.batteryCycles;
    }
    figures.moneyPerYear_EUR =
        figures.selfConsumption_kWh * electricityPrice + annual.feedIn_kWh * feedInTariff;
    figures.curtailed_kWh = annual.curtailed_kWh;
    figures.curtailedValue_EUR = annual.curtailed_kWh * feedInTariff;
    return figures;
}

std::vector<KeyFigureRow> keyFigureRows(const KeyFigures& monthly,
                                        const std::optional<KeyFigures>& hourly) {
    struct Column {
        std::string yield, specific, self, selfShare, sufficiency, feedIn, curtailed, purchase,
            demand, battery, cycles, money;
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
        c.curtailed = f.curtailed_kWh ? energy(*f.curtailed_kWh) + " (" +
                                            formatWithUnit(f.curtailedValue_EUR, 0, "Euro") + ")"
                                      : std::string(kNoFigure);
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
        {"Ertrag", pick(&Column::yield), m.yield},
        {"Spezifischer Ertrag", pick(&Column::specific), m.specific},
        {"Eigenverbrauch", pick(&Column::self), m.self},
        {"Eigenverbrauchsanteil", pick(&Column::selfShare), m.selfShare},
        {"Autarkiegrad", pick(&Column::sufficiency), m.sufficiency},
        {"Einspeisung", pick(&Column::feedIn), m.feedIn},
        {"Netzbezug", pick(&Column::purchase), m.purchase},
        {"Stromverbrauch", pick(&Column::demand), m.demand},
        {"Speichergröße", pick(&Column::battery), m.battery},
        {"Speicherzyklen", pick(&Column::cycles), m.cycles},
        {"Ersparnis und Vergütung", pick(&Column::money), m.money},
        {"Abgeregelt (entgangene Vergütung)", pick(&Column::curtailed), m.curtailed},
    };
}

std::string statusLineText(const KeyFigures& hourly, std::optional<double> ownBattery_kWh) {
    std::string text = "Stundenbilanz";
    if (ownBattery_kWh) {
        text += " mit " + formatWithUnit(*ownBattery_kWh, 1, "kWh") + " Speicher der Auswertung";
    }
    return text + ": Autarkiegrad " + share(hourly.selfSufficiency) + ", Eigenverbrauchsanteil " +
           share(hourly.selfConsumptionShare) + " – Details: Klick auf das Diagramm";
}

}  // namespace lumetra::evaluation
