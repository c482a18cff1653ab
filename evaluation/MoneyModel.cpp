// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/MoneyModel.h"

#include <algorithm>
#include <cmath>

namespace lumetra::evaluation {

namespace {

// What the battery costs at the end of `year`: a new one when the one before ends then, less
// in the last year what is left of a battery bought within the years.
double batteryReplacement(int year, int years, double batteryCost, int lifetime) {
    if (batteryCost <= 0 || lifetime <= 0) {
        return 0;
    }
    double cost = 0;
    if (year < years && year % lifetime == 0) {
        cost += batteryCost;
    }
    const int lastPurchase = (years - 1) / lifetime * lifetime;
    if (year == years && lastPurchase > 0) {
        const double left = static_cast<double>(lastPurchase + lifetime - years) / lifetime;
        cost -= batteryCost * left;
    }
    return cost;
}

// Sets the payback of a result from its years: the first year at whose end the cumulative
// cash flow is no longer negative, linear within that year.
void findPayback(MoneyResult& result) {
    for (std::size_t n = 1; n < result.years.size(); ++n) {
        const MoneyYear& year = result.years[n];
        if (year.cumulative_EUR >= 0) {
            const double before = result.years[n - 1].cumulative_EUR;
            result.paybackYear = year.year;
            result.paybackYears =
                (year.year - 1) + (year.cashFlow_EUR > 0 ? -before / year.cashFlow_EUR : 1.0);
            return;
        }
    }
}

}  // namespace

MoneyResult computeMoney(const MoneyBasis& basis, const EvaluationInputs& inputs) {
    MoneyResult result;
    const int years = std::max(inputs.years, 1);
    const double rise = inputs.priceRise_percent / 100.0;
    const double loss = inputs.yieldLoss_percent / 100.0;
    const double rate = inputs.discountRate_percent / 100.0;

    const double batteryCost =
        std::max(basis.batteryCapacity_kWh, 0.0) * inputs.investmentPerKWh_EUR;
    result.investment_EUR =
        std::max(basis.peakPower_kWp, 0.0) * inputs.investmentPerKWp_EUR + batteryCost;
    const double runningCost = result.investment_EUR * inputs.runningCost_percent / 100.0;
    result.firstYearSaving_EUR = basis.selfUsed_kWh * basis.electricityPrice_EUR_per_kWh +
                                 basis.feedIn_kWh * basis.feedInTariff_EUR_per_kWh;

    result.years.reserve(static_cast<std::size_t>(years) + 1);
    MoneyYear purchase;
    purchase.cashFlow_EUR = -result.investment_EUR;
    purchase.cumulative_EUR = purchase.cashFlow_EUR;
    purchase.presentValue_EUR = purchase.cashFlow_EUR;
    result.years.push_back(purchase);

    double presentValue = purchase.cashFlow_EUR;
    double discountedCost = result.investment_EUR;
    double discountedYield = 0;
    for (int n = 1; n <= years; ++n) {
        const double ageing = std::pow(1.0 - loss, n - 1);
        const double discount = std::pow(1.0 + rate, n);
        MoneyYear year;
        year.year = n;
        year.yield_kWh = basis.yield_kWh * ageing;
        year.electricityPrice_EUR_per_kWh =
            basis.electricityPrice_EUR_per_kWh * std::pow(1.0 + rise, n - 1);
        year.saving_EUR = ageing * (basis.selfUsed_kWh * year.electricityPrice_EUR_per_kWh +
                                    basis.feedIn_kWh * basis.feedInTariff_EUR_per_kWh);
        year.runningCost_EUR = runningCost;
        year.batteryReplacement_EUR =
            batteryReplacement(n, years, batteryCost, inputs.batteryLifetime_years);
        year.cashFlow_EUR = year.saving_EUR - runningCost - year.batteryReplacement_EUR;
        year.cumulative_EUR = result.years.back().cumulative_EUR + year.cashFlow_EUR;
        year.presentValue_EUR = year.cashFlow_EUR / discount;
        presentValue += year.presentValue_EUR;
        discountedCost += (runningCost + year.batteryReplacement_EUR) / discount;
        discountedYield += year.yield_kWh / discount;
        result.years.push_back(year);
    }
    // An installation that cost nothing has nothing to pay back.
    if (result.investment_EUR <= 0) {
        if (basis.peakPower_kWp > 0 || basis.batteryCapacity_kWh > 0) {
            result.paybackYear = 0;
            result.paybackYears = 0.0;
        }
    } else {
        findPayback(result);
    }
    result.netPresentValue_EUR = presentValue;
    if (discountedYield > 0) {
        result.levelizedCost_EUR_per_kWh = discountedCost / discountedYield;
    }
    return result;
}

MoneyBasis moneyBasis(const KeyFigures& figures, double peakPower_kWp, double electricityPrice,
                      double feedInTariff) {
    MoneyBasis basis;
    basis.peakPower_kWp = peakPower_kWp;
    basis.batteryCapacity_kWh = figures.batteryCapacity_kWh;
    basis.yield_kWh = figures.yield_kWh;
    basis.selfUsed_kWh = figures.selfConsumption_kWh;
    basis.feedIn_kWh = figures.feedIn_kWh;
    basis.electricityPrice_EUR_per_kWh = electricityPrice;
    basis.feedInTariff_EUR_per_kWh = feedInTariff;
    return basis;
}

MoneyResult moneyDifference(const MoneyResult& with, const MoneyResult& without) {
    MoneyResult difference;
    difference.investment_EUR = with.investment_EUR - without.investment_EUR;
    difference.firstYearSaving_EUR = with.firstYearSaving_EUR - without.firstYearSaving_EUR;
    difference.netPresentValue_EUR = with.netPresentValue_EUR - without.netPresentValue_EUR;
    const std::size_t count = std::min(with.years.size(), without.years.size());
    for (std::size_t n = 0; n < count; ++n) {
        const MoneyYear& a = with.years[n];
        const MoneyYear& b = without.years[n];
        MoneyYear year;
        year.year = a.year;
        year.yield_kWh = a.yield_kWh - b.yield_kWh;
        year.electricityPrice_EUR_per_kWh = a.electricityPrice_EUR_per_kWh;
        year.saving_EUR = a.saving_EUR - b.saving_EUR;
        year.runningCost_EUR = a.runningCost_EUR - b.runningCost_EUR;
        year.batteryReplacement_EUR = a.batteryReplacement_EUR - b.batteryReplacement_EUR;
        year.cashFlow_EUR = a.cashFlow_EUR - b.cashFlow_EUR;
        year.cumulative_EUR = a.cumulative_EUR - b.cumulative_EUR;
        year.presentValue_EUR = a.presentValue_EUR - b.presentValue_EUR;
        difference.years.push_back(year);
    }
    if (difference.investment_EUR > 0) {
        findPayback(difference);
    }
    return difference;
}

}  // namespace lumetra::evaluation
