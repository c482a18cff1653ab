// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/CalculatorState.h"
#include "simulation/HourlyBalance.h"

namespace lumetra::evaluation {

// The key figures of one model for one year. Energies in kWh, shares as fractions 0..1,
// money in euros per year. A figure the model does not have is empty.
struct KeyFigures {
    double yield_kWh = 0;
    std::optional<double> specificYield_kWh_per_kWp;
    double selfConsumption_kWh = 0;  // solar energy used in the house, battery included
    std::optional<double> selfConsumptionShare;
    std::optional<double> selfSufficiency;
    double feedIn_kWh = 0;
    double purchase_kWh = 0;
    double demand_kWh = 0;
    double batteryCapacity_kWh = 0;
    std::optional<double> batteryCycles;
    double moneyPerYear_EUR = 0;  // bought electricity avoided plus feed-in payment
    // Lost beyond the inverter or the feed-in limit, and the feed-in payment lost with it.
    std::optional<double> curtailed_kWh;
    double curtailedValue_EUR = 0;
};

// The monthly model's figures as the main window's value store and monthly figures hold them
// (the specified relations), the money at the prices given (euros per kWh); it knows no
// battery cycles and no limits.
KeyFigures monthlyModelFigures(const CalculatorState& state, double electricityPrice,
                               double feedInTariff);

// The hourly balance's figures of a year: of a result, or of a year's sums with the
// installation's peak power and battery.
KeyFigures hourlyFigures(const simulation::HourlyResult& result, double electricityPrice,
                         double feedInTariff);
KeyFigures hourlyFigures(const simulation::FlowSums& annual, double peakPower_kWp,
                         double batteryCapacity_kWh, double electricityPrice, double feedInTariff);

// The titles of the models' columns in the order every table of the Auswertung shows them:
// the hourly balance first, the monthly model beside it for comparison.
inline constexpr std::array<std::string_view, 2> kModelColumnTitles = {"Stundenbilanz",
                                                                       "Monatsmodell"};

// One row of the key-figure table: its label and each model's figure with its unit, formatted
// for the window and the report.
struct KeyFigureRow {
    std::string_view label;
    std::string hourlyBalance;
    std::string monthlyModel;
};

// The rows in the order they are shown; `hourly` empty while the hourly balance has no result.
std::vector<KeyFigureRow> keyFigureRows(const KeyFigures& monthly,
                                        const std::optional<KeyFigures>& hourly);

// The status line under the main window's content, for example «Stundenbilanz: Autarkiegrad
// 36 %, Eigenverbrauchsanteil 31 % – Details: Klick auf das Diagramm». `ownBattery_kWh`: the
// Auswertung's battery where it is not the main window's, which the line then names («... mit
// 4,0 kWh Speicher der Auswertung: ...»).
std::string statusLineText(const KeyFigures& hourly,
                           std::optional<double> ownBattery_kWh = std::nullopt);

}  // namespace lumetra::evaluation
