// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/MoneyModel.h"

#include <algorithm>
#include <cmath>

namespace lumetra::evaluation {

MoneyResult computeMoney(const MoneyBasis& basis, const EvaluationInputs& inputs) {
    MoneyResult result;
    const int years = std::max(inputs.years, 1);
    const double rise = inputs.priceRise_percent / 100.0;
    const double loss = inputs.yieldLoss_percent / 100.0;
    const double rate = inputs.discountRate_percent / 100.0;

    result.investment_EUR = std::max(basis.peakPower_kWp, 0.0) * inputs.investmentPerKWp_EUR +
                            std::max(basis.batteryCapacity_kWh, 0.0) * inputs.investmentPerKWh_EUR;
    const double runningCost = result.investment_EUR * inputs.runningCost_percent / 100.0;
    result.firstYearSaving_EUR = basis.selfUsed_kWh * basis.electricityPrice_EUR_per_kWh +
                                 basis.feedIn_kWh * basis.feedInTariff_EUR_per_kWh;

    result.years.reserve(static_cast<std::size_t>(years) + 1);
    MoneyYear purchase;
    purchase.cashFlow_EUR = -result.investment_EUR;
    purchase.cumulative_EUR = purchase.cashFlow_EUR;
    purchase.presentValue_EUR = purchase.cashFlow_EUR;
    result.years.push_back(purchase);

    // An installation that cost nothing has nothing to pay back.
    if (result.investment_EUR <= 0 && (basis.peakPower_kWp > 0 || basis.batteryCapacity_kWh > 0)) {
        result.paybackYear = 0;
        result.paybackYears = 0.0;
    }

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
        year.cashFlow_EUR = year.saving_EUR - runningCost;
        year.cumulative_EUR = result.years.back().cumulative_EUR + year.cashFlow_EUR;
        year.presentValue_EUR = year.cashFlow_EUR / discount;

        const double before = result.years.back().cumulative_EUR;
        if (!result.paybackYear && result.investment_EUR > 0 && year.cumulative_EUR >= 0) {
            result.paybackYear = n;
            result.paybackYears =
                (n - 1) + (year.cashFlow_EUR > 0 ? -before / year.cashFlow_EUR : 1.0);
        }
        presentValue += year.presentValue_EUR;
        discountedCost += runningCost / discount;
        discountedYield += year.yield_kWh / discount;
        result.years.push_back(year);
    }
    result.netPresentValue_EUR = presentValue;
    if (discountedYield > 0) {
        result.levelizedCost_EUR_per_kWh = discountedCost / discountedYield;
    }
    return result;
}

}  // namespace lumetra::evaluation
