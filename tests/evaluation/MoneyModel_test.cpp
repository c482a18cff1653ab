// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/MoneyModel.h"

#include <gtest/gtest.h>

#include <cmath>

#include "test_support/TestSupport.h"

namespace lumetra::evaluation {
namespace {

using test::nearRelative;

// 10 kWp at 1,000 euros per kWp, no battery; 5,000 kWh a year of which 2,000 kWh are used in
// the house at 0.30 euros and 3,000 kWh fed in at 0.08 euros: 840 euros a year.
MoneyBasis tenThousandEuroRoof() {
    MoneyBasis basis;
    basis.peakPower_kWp = 10;
    basis.yield_kWh = 5000;
    basis.selfUsed_kWh = 2000;
    basis.feedIn_kWh = 3000;
    basis.electricityPrice_EUR_per_kWh = 0.30;
    basis.feedInTariff_EUR_per_kWh = 0.08;
    return basis;
}

EvaluationInputs flatInputs() {
    EvaluationInputs inputs;
    inputs.investmentPerKWp_EUR = 1000;
    inputs.runningCost_percent = 0;
    inputs.priceRise_percent = 0;
    inputs.yieldLoss_percent = 0;
    inputs.discountRate_percent = 0;
    inputs.years = 20;
    return inputs;
}

TEST(MoneyModel, WithoutRatesPaybackIsInvestmentOverYearlySaving) {
    const MoneyResult money = computeMoney(tenThousandEuroRoof(), flatInputs());
    EXPECT_DOUBLE_EQ(money.investment_EUR, 10000);
    EXPECT_DOUBLE_EQ(money.firstYearSaving_EUR, 840);
    ASSERT_TRUE(money.paybackYear.has_value());
    EXPECT_EQ(*money.paybackYear, 12);                              // 10,000 / 840 = 11.9
    EXPECT_TRUE(nearRelative(*money.paybackYears, 10000.0 / 840));  // linear within year 12
    EXPECT_TRUE(nearRelative(money.netPresentValue_EUR, 20 * 840 - 10000));
    ASSERT_TRUE(money.levelizedCost_EUR_per_kWh.has_value());
    EXPECT_TRUE(nearRelative(*money.levelizedCost_EUR_per_kWh, 10000.0 / (20 * 5000)));
    ASSERT_EQ(money.years.size(), 21u);
    EXPECT_DOUBLE_EQ(money.years.front().cumulative_EUR, -10000);
    EXPECT_TRUE(nearRelative(money.years.back().cumulative_EUR, 6800));
}

TEST(MoneyModel, DiscountingUsesTheAnnuityFactor) {
    EvaluationInputs inputs = flatInputs();
    inputs.discountRate_percent = 5;
    const MoneyResult money = computeMoney(tenThousandEuroRoof(), inputs);
    // Present value of 1 euro a year for 20 years at 5 %: (1 - 1.05^-20) / 0.05 = 12.46221.
    const double annuity = 12.462210342539;
    EXPECT_TRUE(nearRelative(money.netPresentValue_EUR, 840 * annuity - 10000, 1e-9));
    EXPECT_TRUE(nearRelative(*money.levelizedCost_EUR_per_kWh, 10000 / (5000 * annuity), 1e-9));
    // Discounting does not move the undiscounted payback.
    EXPECT_EQ(*money.paybackYear, 12);
}

// Price rise, yield loss, running cost and discount together, against the closed form of the
// geometric series: sum over n = 1..N of q^(n-1) / (1+r)^n = (1 - (q/(1+r))^N) / (1 + r - q).
TEST(MoneyModel, AllRatesAgreeWithTheGeometricSeries) {
    EvaluationInputs inputs = flatInputs();
    inputs.priceRise_percent = 2;
    inputs.yieldLoss_percent = 0.5;
    inputs.discountRate_percent = 3;
    inputs.runningCost_percent = 1.5;
    const MoneyBasis basis = tenThousandEuroRoof();
    const MoneyResult money = computeMoney(basis, inputs);

    const double r = 0.03, N = 20;
    const auto series = [&](double q) { return (1 - std::pow(q / (1 + r), N)) / (1 + r - q); };
    const double aged = 0.995, agedRising = 0.995 * 1.02;
    const double running = 150;  // 1.5 % of 10,000
    const double expectedNpv = -10000 + 2000 * 0.30 * series(agedRising) +
                               3000 * 0.08 * series(aged) - running * series(1.0);
    EXPECT_TRUE(nearRelative(money.netPresentValue_EUR, expectedNpv, 1e-9));
    const double expectedLcoe = (10000 + running * series(1.0)) / (5000 * series(aged));
    EXPECT_TRUE(nearRelative(*money.levelizedCost_EUR_per_kWh, expectedLcoe, 1e-9));
    EXPECT_TRUE(nearRelative(expectedLcoe, 0.171538, 1e-5));  // by hand: 12,231.6 / 71,306

    // Year 20: yield 5,000 x 0.995^19, price 0.30 x 1.02^19.
    const MoneyYear& last = money.years.back();
    EXPECT_TRUE(nearRelative(last.yield_kWh, 5000 * std::pow(0.995, 19)));
    EXPECT_TRUE(nearRelative(last.electricityPrice_EUR_per_kWh, 0.30 * std::pow(1.02, 19)));
    EXPECT_DOUBLE_EQ(last.runningCost_EUR, 150);
}

TEST(MoneyModel, BatteryAddsToTheInvestment) {
    MoneyBasis basis = tenThousandEuroRoof();
    basis.batteryCapacity_kWh = 10;
    EvaluationInputs inputs = flatInputs();
    inputs.investmentPerKWh_EUR = 600;
    EXPECT_DOUBLE_EQ(computeMoney(basis, inputs).investment_EUR, 16000);
}

TEST(MoneyModel, NoPaybackWhenRunningCostEatsTheSaving) {
    EvaluationInputs inputs = flatInputs();
    inputs.runningCost_percent = 10;  // 1,000 euros a year against 840 saved
    const MoneyResult money = computeMoney(tenThousandEuroRoof(), inputs);
    EXPECT_FALSE(money.paybackYear.has_value());
    EXPECT_FALSE(money.paybackYears.has_value());
    EXPECT_LT(money.netPresentValue_EUR, -10000);
    for (std::size_t n = 1; n < money.years.size(); ++n) {
        EXPECT_LT(money.years[n].cumulative_EUR, money.years[n - 1].cumulative_EUR) << n;
    }
}

TEST(MoneyModel, NoInstallationHasNoPaybackAndNoCostPerKwh) {
    const MoneyResult money = computeMoney(MoneyBasis{}, EvaluationInputs{});
    EXPECT_DOUBLE_EQ(money.investment_EUR, 0);
    EXPECT_FALSE(money.paybackYear.has_value());
    EXPECT_FALSE(money.levelizedCost_EUR_per_kWh.has_value());
    EXPECT_DOUBLE_EQ(money.netPresentValue_EUR, 0);
}

TEST(MoneyModel, HigherPriceRiseNeverDelaysPayback) {
    EvaluationInputs inputs = flatInputs();
    int lastPayback = 1000;
    for (double rise : {0.0, 2.0, 5.0, 10.0}) {
        inputs.priceRise_percent = rise;
        const MoneyResult money = computeMoney(tenThousandEuroRoof(), inputs);
        ASSERT_TRUE(money.paybackYear.has_value()) << rise;
        EXPECT_LE(*money.paybackYear, lastPayback) << rise;
        lastPayback = *money.paybackYear;
    }
}

// A battery whose lifetime ends within the period is bought again at the end of that year; in
// the last year the part of its lifetime still left is credited.
TEST(MoneyModel, ABatteryEndingWithinThePeriodIsBoughtAgainAndItsRestCredited) {
    struct Case {
        const char* name;
        int lifetime;
        int boughtAgainInYear;  // -1: never
        double creditedShare;   // of a battery's price, in the last year
    };
    const Case cases[] = {
        {"ends halfway, the second one with the period", 10, 10, 0},
        {"ends after 15 of 20 years, two thirds of the second one left", 15, 15, 10.0 / 15},
        {"ends with the period", 20, -1, 0},
        {"outlives the period", 25, -1, 0},
    };
    MoneyBasis basis = tenThousandEuroRoof();
    basis.batteryCapacity_kWh = 10;
    EvaluationInputs inputs = flatInputs();
    inputs.investmentPerKWh_EUR = 500;
    const double batteryPrice = 5000;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        inputs.batteryLifetime_years = c.lifetime;
        const MoneyResult money = computeMoney(basis, inputs);
        ASSERT_EQ(money.years.size(), 21u);
        for (const MoneyYear& year : money.years) {
            double expected = year.year == c.boughtAgainInYear ? batteryPrice : 0;
            if (year.year == 20) {
                expected -= c.creditedShare * batteryPrice;
            }
            EXPECT_NEAR(year.batteryReplacement_EUR, expected, 1e-9) << year.year;
        }
        // 840 euros a year for 20 years, less the investment and what the battery costs again.
        EXPECT_NEAR(money.netPresentValue_EUR,
                    20 * 840.0 - 15000 - (c.boughtAgainInYear > 0 ? batteryPrice : 0) +
                        c.creditedShare * batteryPrice,
                    1e-6);
    }
}

}  // namespace
}  // namespace lumetra::evaluation
