// SPDX-License-Identifier: GPL-3.0-or-later
// The evaluation over the real hourly balance: when it recomputes, the Auswertung's own
// battery, the money from each model, the sizing sweeps, and which tables it takes.
#include "evaluation/Evaluation.h"

#include <gtest/gtest.h>

#include "evaluation/HourlyInput.h"
#include "evaluation/SizingSweep.h"
#include "persistence/FileAccess.h"
#include "simulation/ClimateTables.h"
#include "simulation/SimulationInput.h"
#include "test_support/OpeningState.h"
#include "test_support/ShippedTables.h"
#include "test_support/TestSupport.h"

namespace lumetra::evaluation {
namespace {

using test::nearRelative;

std::shared_ptr<const simulation::ClimateTables> climate() {
    static const auto tables = [] {
        DataSearch search;
        search.buildDataDir = LUMETRA_DATA_DIR;
        std::string error;
        auto loaded = simulation::loadClimateTables(search, &error);
        EXPECT_TRUE(loaded) << error;
        return loaded;
    }();
    return tables;
}

class EvaluationTest : public ::testing::Test {
  protected:
    bool update() { return evaluation.update(opening.calculator.state(), opening.table); }

    test::OpeningState opening;
    Evaluation evaluation{climate()};
};

TEST_F(EvaluationTest, RecomputesOnlyWhenSomethingChanged) {
    ASSERT_TRUE(update());
    ASSERT_NE(evaluation.hourlyResult(), nullptr);
    const auto generation = evaluation.generation();
    EXPECT_FALSE(update());
    EXPECT_EQ(evaluation.generation(), generation);

    opening.type(Persons, "2");
    EXPECT_TRUE(update());
    EvaluationInputs inputs = evaluation.inputs();
    inputs.discountRate_percent = 5;
    evaluation.setInputs(inputs);
    EXPECT_TRUE(update());
    EXPECT_GT(evaluation.generation(), generation + 1);
}

TEST_F(EvaluationTest, OwnBatteryOverridesTheMainWindowsAndCountsInTheInvestment) {
    ASSERT_TRUE(update());
    EXPECT_DOUBLE_EQ(evaluation.hourlyResult()->batteryCapacity_kWh,
                     opening.value(StorageCapacity));
    const double without = evaluation.hourlyFigures()->selfSufficiency.value();
    const double investment = evaluation.hourlyMoney().investment_EUR;

    EvaluationInputs inputs;
    inputs.batteryCapacity_kWh = 8;
    evaluation.setInputs(inputs);
    ASSERT_TRUE(update());
    EXPECT_DOUBLE_EQ(evaluation.simulationInput().batteryCapacity_kWh, 8);
    EXPECT_GE(evaluation.hourlyFigures()->selfSufficiency.value(), without);
    EXPECT_TRUE(nearRelative(evaluation.hourlyMoney().investment_EUR,
                             investment + 8 * inputs.investmentPerKWh_EUR));
    // The monthly model keeps the main window's battery.
    EXPECT_DOUBLE_EQ(evaluation.monthlyFigures().batteryCapacity_kWh,
                     opening.value(StorageCapacity));
}

TEST_F(EvaluationTest, MoneyOfEachModelStartsFromItsOwnFigures) {
    ASSERT_TRUE(update());
    const KeyFigures& hourly = *evaluation.hourlyFigures();
    EXPECT_TRUE(
        nearRelative(evaluation.hourlyMoney().firstYearSaving_EUR, hourly.moneyPerYear_EUR));
    EXPECT_TRUE(nearRelative(evaluation.monthlyMoney().firstYearSaving_EUR,
                             evaluation.monthlyFigures().moneyPerYear_EUR));
    EXPECT_TRUE(nearRelative(evaluation.hourlyMoney().investment_EUR,
                             opening.value(SolarPower) / 1000 * 1500, 1e-6));
}

// The window runs the hourly balance on a worker thread with a balance of its own and hands
// the result back: the figures are the same as those of a run inside the update.
TEST_F(EvaluationTest, AResultRunElsewhereGivesTheFiguresOfARunHere) {
    ASSERT_TRUE(update());
    Evaluation deferred(climate());
    ASSERT_TRUE(deferred.update(opening.calculator.state(), opening.table,
                                Evaluation::HourlyRun::Elsewhere));
    ASSERT_TRUE(deferred.pendingHourlyInput().has_value());
    EXPECT_EQ(deferred.hourlyResult(), nullptr);
    EXPECT_FALSE(deferred.hourlyFigures().has_value());

    simulation::HourlyBalance elsewhere(climate());
    const simulation::SimulationInput input = *deferred.pendingHourlyInput();
    ASSERT_TRUE(deferred.takeHourlyResult(
        input, std::make_shared<const simulation::HourlyResult>(elsewhere.run(input))));
    EXPECT_FALSE(deferred.pendingHourlyInput().has_value());
    ASSERT_TRUE(deferred.hourlyFigures().has_value());
    EXPECT_EQ(deferred.hourlyFigures()->selfSufficiency,
              evaluation.hourlyFigures()->selfSufficiency);
    EXPECT_EQ(deferred.hourlyFigures()->yield_kWh, evaluation.hourlyFigures()->yield_kWh);
    EXPECT_EQ(deferred.hourlyMoney().netPresentValue_EUR,
              evaluation.hourlyMoney().netPresentValue_EUR);
}

TEST_F(EvaluationTest, AResultOvertakenByANewerInputIsDroppedAndTheLastOneStays) {
    simulation::HourlyBalance elsewhere(climate());
    const auto runElsewhere = [&](const simulation::SimulationInput& input) {
        return std::make_shared<const simulation::HourlyResult>(elsewhere.run(input));
    };
    ASSERT_TRUE(evaluation.update(opening.calculator.state(), opening.table,
                                  Evaluation::HourlyRun::Elsewhere));
    const simulation::SimulationInput first = *evaluation.pendingHourlyInput();
    ASSERT_TRUE(evaluation.takeHourlyResult(first, runElsewhere(first)));
    const double firstDemand = evaluation.hourlyFigures()->demand_kWh;

    opening.type(Persons, "5");
    ASSERT_TRUE(evaluation.update(opening.calculator.state(), opening.table,
                                  Evaluation::HourlyRun::Elsewhere));
    const simulation::SimulationInput second = *evaluation.pendingHourlyInput();
    opening.type(Persons, "1");
    ASSERT_TRUE(evaluation.update(opening.calculator.state(), opening.table,
                                  Evaluation::HourlyRun::Elsewhere));
    // The run of the second input comes too late; until the third's comes, the first stays.
    EXPECT_FALSE(evaluation.takeHourlyResult(second, runElsewhere(second)));
    EXPECT_EQ(evaluation.hourlyFigures()->demand_kWh, firstDemand);
    const simulation::SimulationInput third = *evaluation.pendingHourlyInput();
    ASSERT_TRUE(evaluation.takeHourlyResult(third, runElsewhere(third)));
    EXPECT_LT(evaluation.hourlyFigures()->demand_kWh, firstDemand);
    // Once every input has its result, an update without changes does nothing.
    EXPECT_FALSE(evaluation.update(opening.calculator.state(), opening.table,
                                   Evaluation::HourlyRun::Elsewhere));
}

TEST_F(EvaluationTest, WithoutClimateOnlyTheMonthlyModelIsEvaluated) {
    Evaluation monthlyOnly(nullptr);
    ASSERT_TRUE(monthlyOnly.update(opening.calculator.state(), opening.table));
    EXPECT_EQ(monthlyOnly.hourlyResult(), nullptr);
    EXPECT_FALSE(monthlyOnly.hourlyFigures().has_value());
    EXPECT_GT(monthlyOnly.monthlyFigures().yield_kWh, 0);
    // Its money stands in for the hourly one.
    EXPECT_EQ(&monthlyOnly.hourlyMoney(), &monthlyOnly.monthlyMoney());
    EXPECT_FALSE(monthlyOnly.update(opening.calculator.state(), opening.table));
    // Tables that arrive later start the hourly balance.
    monthlyOnly.setClimate(climate());
    ASSERT_TRUE(monthlyOnly.update(opening.calculator.state(), opening.table));
    EXPECT_NE(monthlyOnly.hourlyResult(), nullptr);
}

// The shipped tables are read in the background while a data set may name a folder of its own:
// the evaluation keeps the tables of the folder its inputs name, whichever load ends last.
TEST(EvaluationTables, FollowTheDataFolderWhicheverLoadEndsLast) {
    DataSearch shipped;
    shipped.buildDataDir = LUMETRA_DATA_DIR;
    const test::TemporaryFolder folder;
    test::writeTable(folder.path(), "MonthlyTemperature.csv", test::stationsAt("25"));
    const simulation::ClimateTablesLoad background =
        simulation::loadClimateTables(simulation::TableSearch{shipped, {}});

    Evaluation late(nullptr);
    late.setTableSearch(shipped);
    EvaluationInputs inputs;
    inputs.dataFolder = utf8Path(folder.path());
    late.setInputs(inputs);  // a data file loaded before the background load ended
    EXPECT_FALSE(late.takeTables(background));
    ASSERT_EQ(late.dataSources().size(), 4u);
    EXPECT_EQ(late.dataSources()[1].path, folder.path() / "MonthlyTemperature.csv");
    EXPECT_EQ(late.climate()->stations().front().months[0], 25);

    Evaluation early(nullptr);
    early.setTableSearch(shipped);
    EXPECT_TRUE(early.takeTables(background));
    early.setInputs(inputs);
    EXPECT_EQ(early.dataSources()[1].path, folder.path() / "MonthlyTemperature.csv");
    early.useShippedTables();
    EXPECT_EQ(early.dataSources()[1].path, background.sources[1].path);
    EXPECT_TRUE(early.inputs().dataFolder.empty());
}

TEST_F(EvaluationTest, SizingCurvesRiseWithBatteryAndRoofAndCanBeCancelled) {
    ASSERT_TRUE(update());
    simulation::HourlyBalance balance(climate());
    const std::atomic<bool> never{false};
    const SizingCurves curves =
        computeSizingCurves(balance, evaluation.simulationInput(), {}, never);
    ASSERT_TRUE(curves.complete);
    ASSERT_EQ(curves.battery.size(), sizingBatteryCapacities().size());
    ASSERT_EQ(curves.roof.size(), sizingRoofScales().size());
    for (std::size_t i = 1; i < curves.battery.size(); ++i) {
        EXPECT_GE(curves.battery[i].selfSufficiency, curves.battery[i - 1].selfSufficiency - 1e-12)
            << i;
        EXPECT_GE(curves.battery[i].selfConsumptionShare,
                  curves.battery[i - 1].selfConsumptionShare - 1e-12)
            << i;
    }
    for (std::size_t i = 1; i < curves.roof.size(); ++i) {
        EXPECT_GT(curves.roof[i].size, curves.roof[i - 1].size);
        EXPECT_GE(curves.roof[i].selfSufficiency, curves.roof[i - 1].selfSufficiency - 1e-12) << i;
        EXPECT_LE(curves.roof[i].selfConsumptionShare,
                  curves.roof[i - 1].selfConsumptionShare + 1e-12)
            << i;
    }
    // The roof curve passes through the current roof (scale 1) with the current battery.
    const double peak = evaluation.hourlyResult()->peakPower_kWp;
    EXPECT_TRUE(nearRelative(curves.roof[3].size, peak));
    EXPECT_TRUE(nearRelative(curves.roof[3].selfSufficiency,
                             evaluation.hourlyResult()->annual.selfSufficiency, 1e-9));

    const std::atomic<bool> cancelled{true};
    const SizingCurves stopped =
        computeSizingCurves(balance, evaluation.simulationInput(), {}, cancelled);
    EXPECT_FALSE(stopped.complete);
    EXPECT_TRUE(stopped.battery.empty());
}

// "ohne Speicher" is the same installation run without a battery, "mit Speicher" the year
// shown, the best battery no worse than any size of the sweep, and what a battery alone adds
// is the difference to the installation without.
TEST_F(EvaluationTest, VariantsCompareTheYearWithoutAndWithItsBatteryAndTheBestSize) {
    EvaluationInputs inputs;
    inputs.batteryCapacity_kWh = 5;
    inputs.battery.chargePower = {2, PowerUnit::Kilowatt};
    evaluation.setInputs(inputs);
    ASSERT_TRUE(update());
    ASSERT_NE(evaluation.batterySweep(), nullptr);
    ASSERT_TRUE(evaluation.variants().has_value());
    const Variants& variants = *evaluation.variants();

    simulation::HourlyBalance balance(climate());
    simulation::SimulationInput without = evaluation.simulationInput();
    without.batteryCapacity_kWh = 0;
    const simulation::HourlyResult& alone = balance.run(without);
    EXPECT_EQ(variants.withoutBattery.batteryCapacity_kWh, 0);
    EXPECT_TRUE(nearRelative(*variants.withoutBattery.figures.selfSufficiency,
                             alone.annual.selfSufficiency, 1e-9));
    EXPECT_FALSE(variants.withoutBattery.batteryAlone.has_value());

    EXPECT_EQ(variants.withBattery.batteryCapacity_kWh, 5);
    EXPECT_EQ(variants.withBattery.figures.selfSufficiency,
              evaluation.hourlyFigures()->selfSufficiency);
    EXPECT_EQ(variants.withBattery.money.netPresentValue_EUR,
              evaluation.hourlyMoney().netPresentValue_EUR);
    EXPECT_GT(*variants.withBattery.figures.selfSufficiency,
              *variants.withoutBattery.figures.selfSufficiency);

    for (const Variant* variant : {&variants.withBattery, &variants.bestBattery}) {
        if (variant->batteryCapacity_kWh == 0) {
            continue;
        }
        ASSERT_TRUE(variant->batteryAlone.has_value());
        EXPECT_NEAR(
            variant->batteryAlone->netPresentValue_EUR,
            variant->money.netPresentValue_EUR - variants.withoutBattery.money.netPresentValue_EUR,
            1e-6);
    }
    EXPECT_GE(variants.bestBattery.money.netPresentValue_EUR,
              variants.withoutBattery.money.netPresentValue_EUR);
    // 5 kWh is one of the sweep's sizes.
    EXPECT_GE(variants.bestBattery.money.netPresentValue_EUR,
              variants.withBattery.money.netPresentValue_EUR - 1e-6);
}

// The hourly balance's input carries the Auswertung's battery, prices and grid connection, or
// the main window's where the Auswertung follows it.
TEST_F(EvaluationTest, TheHourlyInputTakesTheAuswertungsBatteryPricesAndLimits) {
    const simulation::SimulationInput fromCalculator =
        simulation::simulationInputFrom(opening.calculator.state(), opening.table);
    EvaluationInputs own;
    own.batteryCapacity_kWh = 4;
    own.battery.chargePower = {2, PowerUnit::Kilowatt};
    own.battery.dischargePower = {1, PowerUnit::CRate};
    own.battery.minimumCharge_percent = 10;
    own.feedInLimit_percent = 60;
    own.inverterPower_kW = 3;
    const simulation::SimulationInput input = hourlyInput(fromCalculator, own, nullptr);
    EXPECT_EQ(input.batteryCapacity_kWh, 4);
    EXPECT_DOUBLE_EQ(input.batteryBehaviour.chargeRate_per_h, 0.5);  // 2 kW on 4 kWh
    EXPECT_DOUBLE_EQ(input.batteryBehaviour.dischargeRate_per_h, 1);
    EXPECT_DOUBLE_EQ(input.batteryBehaviour.minimumStateOfCharge, 0.1);
    EXPECT_DOUBLE_EQ(input.electricityPrice_EUR_per_kWh, kGuideElectricityPrice_EUR_per_kWh);
    EXPECT_DOUBLE_EQ(input.feedInTariff_EUR_per_kWh, kGuideFeedInTariff_EUR_per_kWh);
    EXPECT_DOUBLE_EQ(input.grid.feedInLimit_fraction, 0.6);
    EXPECT_EQ(input.grid.inverterPower_kW, 3);

    EvaluationInputs following;
    following.electricityPrice_EUR_per_kWh.reset();
    following.feedInTariff_EUR_per_kWh.reset();
    const simulation::SimulationInput same = hourlyInput(fromCalculator, following, nullptr);
    EXPECT_EQ(same.batteryCapacity_kWh, fromCalculator.batteryCapacity_kWh);
    EXPECT_EQ(same.electricityPrice_EUR_per_kWh, fromCalculator.electricityPrice_EUR_per_kWh);
    EXPECT_EQ(same.feedInTariff_EUR_per_kWh, fromCalculator.feedInTariff_EUR_per_kWh);
}

// With the guide prices the opening data set pays back within its period.
TEST_F(EvaluationTest, TheGuidePricesPayBackWithinThePeriod) {
    ASSERT_TRUE(update());
    ASSERT_TRUE(evaluation.hourlyMoney().paybackYears.has_value());
    EXPECT_LT(*evaluation.hourlyMoney().paybackYears, evaluation.inputs().years);
}

}  // namespace
}  // namespace lumetra::evaluation
