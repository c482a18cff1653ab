// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/KeyFigures.h"

#include <gtest/gtest.h>

#include "evaluation/GermanNumber.h"
#include "test_support/OpeningState.h"
#include "test_support/TestSupport.h"

namespace lumetra::evaluation {
namespace {

using test::nearRelative;

TEST(KeyFigures, MonthlyModelBalancesDemandAgainstSelfUseAndPurchase) {
    test::OpeningState opening;
    opening.type(HouseholdElectricity, "4000");
    const KeyFigures figures = monthlyModelFigures(
        opening.calculator.state(), opening.value(ElectricityPrice), opening.value(FeedInTariff));
    EXPECT_GT(figures.yield_kWh, 0);
    EXPECT_TRUE(
        nearRelative(figures.demand_kWh, figures.selfConsumption_kWh + figures.purchase_kWh, 1e-9));
    EXPECT_TRUE(
        nearRelative(figures.yield_kWh, figures.selfConsumption_kWh + figures.feedIn_kWh, 1e-9));
    ASSERT_TRUE(figures.specificYield_kWh_per_kWp.has_value());
    EXPECT_TRUE(nearRelative(*figures.specificYield_kWh_per_kWp,
                             opening.value(AnnualYield) / (opening.value(SolarPower) / 1000)));
    ASSERT_TRUE(figures.selfSufficiency.has_value());
    EXPECT_TRUE(
        nearRelative(*figures.selfSufficiency, figures.selfConsumption_kWh / figures.demand_kWh));
    EXPECT_FALSE(figures.batteryCycles.has_value());
    EXPECT_TRUE(nearRelative(figures.moneyPerYear_EUR,
                             opening.value(SelfConsumptionValue) + opening.value(FeedInValue)));
}

TEST(KeyFigures, RowsShowBothModelsWithUnitsAndNoFigureBeforeTheHourlyResult) {
    test::OpeningState opening;
    const KeyFigures monthly = monthlyModelFigures(
        opening.calculator.state(), opening.value(ElectricityPrice), opening.value(FeedInTariff));
    const std::vector<KeyFigureRow> rows = keyFigureRows(monthly, std::nullopt);
    ASSERT_EQ(rows.size(), 12u);
    EXPECT_EQ(rows[0].label, "Ertrag");
    EXPECT_EQ(rows[0].monthlyModel, formatWithUnit(opening.value(AnnualYield), 0, "kWh"));
    for (const KeyFigureRow& row : rows) {
        EXPECT_EQ(row.hourlyBalance, kNoFigure) << row.label;
        EXPECT_FALSE(row.monthlyModel.empty()) << row.label;
    }
}

simulation::HourlyResult hourlyResult() {
    simulation::HourlyResult result;
    result.peakPower_kWp = 5;
    result.batteryCapacity_kWh = 5;
    simulation::FlowSums& annual = result.annual;
    annual.yield_kWh = 5000;
    annual.direct_kWh = 1200;
    annual.batteryCharge_kWh = 350;
    annual.batteryDischarge_kWh = 300;
    annual.batteryLoss_kWh = 50;
    annual.feedIn_kWh = 3450;
    annual.demand_kWh = 4000;
    annual.purchase_kWh = 2500;
    annual.selfConsumptionShare = 0.31;
    annual.selfSufficiency = 0.364;
    annual.specificYield_kWh_per_kWp = 1000;
    annual.batteryCycles = 60;
    return result;
}

TEST(KeyFigures, HourlyFiguresCountTheBatteryInSelfUseAndMoney) {
    const KeyFigures figures = hourlyFigures(hourlyResult(), 0.30, 0.08);
    EXPECT_DOUBLE_EQ(figures.selfConsumption_kWh, 1500);
    EXPECT_DOUBLE_EQ(figures.moneyPerYear_EUR, 1500 * 0.30 + 3450 * 0.08);
    EXPECT_EQ(figures.batteryCycles, 60.0);
    const std::vector<KeyFigureRow> rows = keyFigureRows(figures, figures);
    EXPECT_EQ(rows[1].hourlyBalance, "1.000 kWh/kWp");
    EXPECT_EQ(rows[4].hourlyBalance, "36 %");
    EXPECT_EQ(rows[9].hourlyBalance, "60 Zyklen/Jahr");
}

TEST(KeyFigures, StatusLineNamesBothSharesTheClickAndABatteryOfTheAuswertungsOwn) {
    const KeyFigures figures = hourlyFigures(hourlyResult(), 0.3, 0.08);
    EXPECT_EQ(statusLineText(figures),
              "Stundenbilanz: Autarkiegrad 36 %, Eigenverbrauchsanteil 31 % – Details: Klick auf "
              "das Diagramm");
    EXPECT_EQ(statusLineText(figures, 4.0),
              "Stundenbilanz mit 4,0 kWh Speicher der Auswertung: Autarkiegrad 36 %, "
              "Eigenverbrauchsanteil 31 % – Details: Klick auf das Diagramm");
}

TEST(KeyFigures, NoBatteryHasNoCyclesAndNoYieldNoShare) {
    simulation::HourlyResult result;
    const KeyFigures figures = hourlyFigures(result, 0.3, 0.08);
    EXPECT_FALSE(figures.batteryCycles.has_value());
    EXPECT_FALSE(figures.selfConsumptionShare.has_value());
    EXPECT_FALSE(figures.specificYield_kWh_per_kWp.has_value());
}

}  // namespace
}  // namespace lumetra::evaluation
