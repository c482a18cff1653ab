// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/MoneyTexts.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace lumetra::evaluation {
namespace {

struct PaybackCase {
    const char* name;
    double investmentPerKWp_EUR;
    double runningCost_percent;
    int years;
    const char* payback;
};

class PaybackText : public ::testing::TestWithParam<PaybackCase> {};

// 10 kWp saving 840 euros a year: at 1,000 euros per kWp paid back within the 12th year.
TEST_P(PaybackText, ReadsAsASentence) {
    MoneyBasis basis;
    basis.peakPower_kWp = 10;
    basis.yield_kWh = 5000;
    basis.selfUsed_kWh = 2000;
    basis.feedIn_kWh = 3000;
    basis.electricityPrice_EUR_per_kWh = 0.30;
    basis.feedInTariff_EUR_per_kWh = 0.08;
    EvaluationInputs inputs;
    inputs.investmentPerKWp_EUR = GetParam().investmentPerKWp_EUR;
    inputs.runningCost_percent = GetParam().runningCost_percent;
    inputs.priceRise_percent = 0;
    inputs.yieldLoss_percent = 0;
    inputs.years = GetParam().years;
    const MoneyResult money = computeMoney(basis, inputs);
    EXPECT_EQ(paybackText(money, inputs.years), GetParam().payback);
    if (GetParam().investmentPerKWp_EUR == 0) {
        EXPECT_GT(money.netPresentValue_EUR, 0);  // beside "sofort", never beside "nicht"
    }
}

INSTANTIATE_TEST_SUITE_P(
    MoneyTexts, PaybackText,
    ::testing::Values(PaybackCase{"NothingInvested", 0, 1.5, 20, "sofort"},
                      PaybackCase{"WithinTheYears", 1000, 0, 20, "nach 11,9 Jahren"},
                      PaybackCase{"NotWithinOneYear", 1000, 0, 1, "nicht innerhalb von 1 Jahr"},
                      PaybackCase{"NotWithinTwoYears", 1000, 0, 2, "nicht innerhalb von 2 Jahren"}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(MoneyTexts, OneYearIsSingularInEveryCase) {
    EXPECT_EQ(netPresentValueLabel(1), "Kapitalwert nach 1 Jahr");
    EXPECT_EQ(netPresentValueLabel(25), "Kapitalwert nach 25 Jahren");
    EvaluationInputs inputs;
    inputs.years = 1;
    EXPECT_EQ(inputText(inputs, InputId::Years), "1 Jahr");
    inputs.years = 2;
    EXPECT_EQ(inputText(inputs, InputId::Years), "2 Jahre");
    EXPECT_EQ(yearsText(1.04, 1, GrammaticalCase::Nominative), "1,0 Jahre");
    EXPECT_EQ(inputText(inputs, InputId::InvestmentPerKWp), "1.500 Euro/kWp");
}

}  // namespace
}  // namespace lumetra::evaluation
