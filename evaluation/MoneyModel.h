// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <vector>

#include "evaluation/EvaluationInputs.h"
#include "evaluation/KeyFigures.h"

namespace lumetra::evaluation {

// What the money over the years starts from: the first year's energy flows of one model and
// the installation's size. Energies in kWh per year, prices in euros per kWh.
struct MoneyBasis {
    double peakPower_kWp = 0;
    double batteryCapacity_kWh = 0;
    double yield_kWh = 0;
    double selfUsed_kWh = 0;  // solar energy used in the house (directly or from the battery)
    double feedIn_kWh = 0;
    double electricityPrice_EUR_per_kWh = 0;
    double feedInTariff_EUR_per_kWh = 0;
};

// One year of the money table; year 0 is the purchase.
struct MoneyYear {
    int year = 0;
    double yield_kWh = 0;
    double electricityPrice_EUR_per_kWh = 0;
    double saving_EUR = 0;       // bought electricity avoided plus feed-in payment
    double runningCost_EUR = 0;  // positive, paid
    // A battery bought again at the year's end (positive, paid); in the last year less what
    // is left of a battery bought within the years (negative when that is more).
    double batteryReplacement_EUR = 0;
    double cashFlow_EUR = 0;  // saving - running cost - replacement; year 0: - investment
    double cumulative_EUR = 0;
    double presentValue_EUR = 0;  // the year's cash flow discounted to year 0
};

struct MoneyResult {
    double investment_EUR = 0;
    double firstYearSaving_EUR = 0;  // saving of year 1 before running cost
    std::vector<MoneyYear> years;    // 0 .. inputs.years
    // The first year at whose end the cumulative cash flow is no longer negative, and the same
    // as a fraction of years (linear within that year); empty when it stays negative or there
    // is no installation. 0 for an installation that cost nothing.
    std::optional<int> paybackYear;
    std::optional<double> paybackYears;
    double netPresentValue_EUR = 0;
    // Cost per kWh produced over the years; empty without yield.
    std::optional<double> levelizedCost_EUR_per_kWh;
};

// The money over the years by the discounted cash flow method, with the levelised cost of
// electricity as the discounted costs over the discounted yield (Short, Packey and Holt, "A
// Manual for the Economic Evaluation of Energy Efficiency and Renewable Energy Technologies",
// NREL 1995).
//
// Assumptions: the investment is paid at the start of year 1, everything else at the end of
// its year; the yield and with it the self-used and the fed-in energy fall by the yield loss
// each year (the share used in the house is taken as constant); the electricity price rises by
// the price rise each year, the feed-in tariff stays fixed (it is fixed for its term in
// Germany); the running cost is a share of the investment and stays the same each year; no
// taxes, no financing. A battery whose lifetime ends within the years is bought again at the
// end of its last year at the same price per kWh; what a battery bought so is still worth at
// the end of the years (its lifetime left, straight-line) comes back in the last year.
MoneyResult computeMoney(const MoneyBasis& basis, const EvaluationInputs& inputs);

// The money basis of a model's key figures.
MoneyBasis moneyBasis(const KeyFigures& figures, double peakPower_kWp, double electricityPrice,
                      double feedInTariff);

// What the battery alone adds: the money of an installation with a battery less that of the
// same installation without (investment, cash flows, net present value), with its own
// payback; no levelised cost. Both must cover the same years.
MoneyResult moneyDifference(const MoneyResult& with, const MoneyResult& without);

}  // namespace lumetra::evaluation
