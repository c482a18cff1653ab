// SPDX-License-Identifier: GPL-3.0-or-later
#include "energy/YieldBalance.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "energy/ModuleFieldColumns.h"
#include "energy/MonthlyShares.h"
#include "energy/OrientationFactor.h"
#include "energy/RecordingTable.h"
#include "support/NamedCharacters.h"
#include "test_support/TestSupport.h"

namespace lumetra {
namespace {

using test::nearRelative;
using test::RecordingTable;

double sumOf(const MonthlyValues& months) {
    return std::accumulate(months.begin(), months.end(), 0.0);
}

// The site and module of the worked example: 1100 kWh/m², 15 % efficiency, 150 Wp/m²,
// 10 % losses, at the reference latitude.
CalculatorState exampleSite() {
    CalculatorState state;
    state.values[Latitude] = 50.5;
    state.values[AnnualIrradiation] = 1100;
    state.values[PowerPerArea] = 150;
    state.values[Efficiency] = 15;
    state.values[SystemLosses] = 10;
    return state;
}

TEST(AnnualYield, SingleFieldGivesPowerYieldAndTotals) {
    CalculatorState state = exampleSite();
    RecordingTable table;
    const RowHandle field = table.addRow("5", "2", "", "0", "30");
    state.placeholderRow = table.inner.insertRow(RowPosition::Last);

    evaluateAnnualYield(state, table, AnnualYield);

    EXPECT_EQ(table.cellText(field, ColumnArea), "10");
    EXPECT_EQ(table.cellText(field, ColumnPower), "1 500 Wp ");
    EXPECT_EQ(table.cellText(field, ColumnYield), "1 633.5 kWh ");
    EXPECT_TRUE(nearRelative(state.values[AnnualYield], 1470.15, 1e-9));
    EXPECT_DOUBLE_EQ(state.figures.totalModuleArea, 10);
    EXPECT_DOUBLE_EQ(state.figures.totalPeakPower, 1500);
    EXPECT_TRUE(state.tableRefreshPending);
    EXPECT_TRUE(state.chartRedrawPending);
    EXPECT_TRUE(nearRelative(sumOf(state.figures.monthlyYield), 1470.15, 1e-12));
}

TEST(AnnualYield, OtherTargetUpdatesRowsButNotTheYield) {
    CalculatorState state = exampleSite();
    state.values[AnnualYield] = 123;
    state.figures.monthlyYield.fill(7);
    RecordingTable table;
    const RowHandle field = table.addRow("5", "2", "", "0", "30");
    state.placeholderRow = table.inner.insertRow(RowPosition::Last);

    evaluateAnnualYield(state, table, Latitude);

    EXPECT_EQ(table.cellText(field, ColumnYield), "1 633.5 kWh ");
    EXPECT_DOUBLE_EQ(state.figures.totalPeakPower, 1500);
    EXPECT_DOUBLE_EQ(state.values[AnnualYield], 123);
    EXPECT_DOUBLE_EQ(state.figures.monthlyYield[0], 7);
    EXPECT_TRUE(state.tableRefreshPending);
    EXPECT_FALSE(state.chartRedrawPending);
}

TEST(AnnualYield, EmptyTableGivesNothingAndRequestsNoTableRefresh) {
    CalculatorState state = exampleSite();
    state.values[AnnualYield] = 500;
    state.figures.totalModuleArea = 9;
    state.figures.totalPeakPower = 9;
    RecordingTable table;
    state.placeholderRow = table.inner.insertRow(RowPosition::Last);
    table.inner.setCellText(state.placeholderRow, ColumnWidth, "3");

    evaluateAnnualYield(state, table, AnnualYield);

    EXPECT_EQ(state.figures.totalModuleArea, 0);
    EXPECT_EQ(state.figures.totalPeakPower, 0);
    EXPECT_EQ(state.values[AnnualYield], 0);
    EXPECT_EQ(state.figures.maxMonthlyYield, 0);
    for (double month : state.figures.monthlyYield) {
        EXPECT_EQ(month, 0);
    }
    EXPECT_FALSE(state.tableRefreshPending);
    EXPECT_TRUE(table.writes.empty()) << "the placeholder row is never completed";
}

TEST(AnnualYield, SumsRowsReadingPresetTextsAndLosses) {
    CalculatorState state = exampleSite();
    state.values[Latitude] = 48;
    RecordingTable table;
    const std::string west = "(Westen)" + std::string(kNoBreakSpace) + "  90\u00B0";
    const std::string wall = "(Hauswand)" + std::string(kNoBreakSpace) + " 90\u00B0";
    const RowHandle first = table.addRow("", "3", "12", west, "35");
    const RowHandle second = table.addRow("2.00 m ", "1,5", "", "-45", wall);
    state.placeholderRow = table.inner.insertRow(RowPosition::Last);

    evaluateAnnualYield(state, table, AnnualYield);

    EXPECT_EQ(table.cellText(first, ColumnWidth), "4");
    EXPECT_EQ(table.cellText(second, ColumnArea), "3");
    const double ideal = 1100 * 15 * 0.01;
    const double firstYield = ideal * 12 * orientationFactor(35, 90, 48);
    const double secondYield = ideal * 3 * orientationFactor(90, -45, 48);
    EXPECT_DOUBLE_EQ(state.figures.totalModuleArea, 15);
    EXPECT_DOUBLE_EQ(state.figures.totalPeakPower, 2250);
    EXPECT_TRUE(nearRelative(state.values[AnnualYield], 0.9 * (firstYield + secondYield)));
    EXPECT_EQ(table.cellText(first, ColumnPower), "1 800 Wp ");
    EXPECT_GT(firstYield + secondYield, state.values[AnnualYield]);
}

struct SplitCase {
    const char* name;
    double latitude;
    MonthlyValues expectedPer1000;  // kWh for an annual yield of 1000 kWh
    double tolerance;
};

class MonthlySplitCases : public ::testing::TestWithParam<SplitCase> {};

TEST_P(MonthlySplitCases, SpreadsYieldOverMonths) {
    const SplitCase& c = GetParam();
    CalculatorState state;
    state.values[Latitude] = c.latitude;
    state.values[AnnualYield] = 1000;
    splitAnnualYield(state);
    for (std::size_t i = 0; i < 12; ++i) {
        EXPECT_NEAR(state.figures.monthlyYield[i], c.expectedPer1000[i], c.tolerance)
            << "month " << i + 1;
    }
    EXPECT_TRUE(nearRelative(sumOf(state.figures.monthlyYield), 1000, 1e-12));
    EXPECT_DOUBLE_EQ(
        state.figures.maxMonthlyYield,
        *std::max_element(state.figures.monthlyYield.begin(), state.figures.monthlyYield.end()));
}

constexpr double kTwelfth = 1000.0 / 12;

INSTANTIATE_TEST_SUITE_P(
    Latitudes, MonthlySplitCases,
    ::testing::Values(
        SplitCase{"EquatorIsFlat",
                  0,
                  {kTwelfth, kTwelfth, kTwelfth, kTwelfth, kTwelfth, kTwelfth, kTwelfth, kTwelfth,
                   kTwelfth, kTwelfth, kTwelfth, kTwelfth},
                  1e-9},
        SplitCase{"ReferenceLatitudeFollowsShares",
                  50.5,
                  {23.3, 43.3, 94.9, 128.1, 128.8, 129.4, 132.6, 122.0, 91.2, 60.8, 27.3, 18.3},
                  0.05},
        SplitCase{"SouthernReferenceMovedBySixMonths",
                  -50.5,
                  {132.6, 122.0, 91.2, 60.8, 27.3, 18.3, 23.3, 43.3, 94.9, 128.1, 128.8, 129.4},
                  0.05}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(MonthlySplit, SouthernLatitudeIsNorthernPatternMovedBySixMonths) {
    CalculatorState north;
    north.values[Latitude] = 33.9;
    north.values[AnnualYield] = 1000;
    splitAnnualYield(north);
    CalculatorState south = north;
    south.values[Latitude] = -33.9;
    splitAnnualYield(south);
    for (std::size_t i = 0; i < 12; ++i) {
        EXPECT_DOUBLE_EQ(south.figures.monthlyYield[(i + 6) % 12], north.figures.monthlyYield[i]);
    }
    const auto largest =
        std::max_element(south.figures.monthlyYield.begin(), south.figures.monthlyYield.end());
    EXPECT_EQ(largest - south.figures.monthlyYield.begin(), 0) << "January is the largest";
    // The swing at 33.9 degrees is smaller than at the reference latitude.
    EXPECT_LT(north.figures.maxMonthlyYield, 132.6);
    EXPECT_GT(north.figures.maxMonthlyYield, kTwelfth);
}

struct PoleCase {
    const char* name;
    double latitude;
    std::size_t weakestMonth;
};

class MonthlySplitAtPoles : public ::testing::TestWithParam<PoleCase> {};

// The seasonal swing at the poles would take the darkest month below nothing (-1 kWh of
// 1000); it gets nothing and the other months keep the year's sum.
TEST_P(MonthlySplitAtPoles, PolarNightGetsNothingAndTheYearKeepsItsSum) {
    for (const double annual : {1000.0, 3500.0 * 0.15 * 20}) {
        CalculatorState state;
        state.values[Latitude] = GetParam().latitude;
        state.values[AnnualYield] = annual;
        splitAnnualYield(state);
        const MonthlyValues& months = state.figures.monthlyYield;
        EXPECT_EQ(months[GetParam().weakestMonth], 0.0) << annual;
        for (std::size_t i = 0; i < 12; ++i) {
            EXPECT_TRUE(i == GetParam().weakestMonth || months[i] > 0) << annual << " " << i;
        }
        EXPECT_TRUE(nearRelative(sumOf(months), annual, 1e-12)) << annual;
    }
}

INSTANTIATE_TEST_SUITE_P(Poles, MonthlySplitAtPoles,
                         ::testing::Values(PoleCase{"North", 90, 11}, PoleCase{"South", -90, 5}),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

struct SeasonCase {
    const char* name;
    double latitude;
    std::size_t januaryShareIndex;  // which northern share lands on January
};

class HeatingAndCoolingMonths : public ::testing::TestWithParam<SeasonCase> {};

TEST_P(HeatingAndCoolingMonths, FollowTheSeasonsOfTheHemisphere) {
    const SeasonCase& c = GetParam();
    CalculatorState state;
    state.values[Latitude] = c.latitude;
    state.values[HeatingElectricity] = 1000;
    state.values[CoolingElectricity] = 2400;
    fillMonthlyHeating(state);
    fillMonthlyCooling(state);
    for (std::size_t i = 0; i < 12; ++i) {
        const std::size_t share = (i + c.januaryShareIndex) % 12;
        EXPECT_DOUBLE_EQ(state.figures.monthlyHeating[i], 1000 * kHeatingShare[share]);
        EXPECT_DOUBLE_EQ(state.figures.monthlyCooling[i], 2400 * kCoolingShare[share]);
    }
}

INSTANTIATE_TEST_SUITE_P(Hemispheres, HeatingAndCoolingMonths,
                         ::testing::Values(SeasonCase{"North", 47, 0},
                                           SeasonCase{"EquatorCountsNorth", 0, 0},
                                           SeasonCase{"South", -33.9, 6}),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

// The worked balance: 5000 kWh a year at the reference latitude for a household of 3600 kWh
// and nothing else.
CalculatorState workedBalance(double storageDays) {
    CalculatorState state;
    state.values[Latitude] = 50.5;
    state.values[AnnualYield] = 5000;
    state.values[HouseholdElectricity] = 3600;
    state.values[StorageDays] = storageDays;
    splitAnnualYield(state);
    fillMonthlyHeating(state);
    fillMonthlyCooling(state);
    evaluateSelfConsumption(state, SelfConsumption);
    evaluateStorageCapacity(state, StorageCapacity);
    evaluateGridPurchase(state, GridPurchase);
    return state;
}

struct BalanceCase {
    const char* name;
    double storageDays;
    double selfConsumption;
    double gridPurchase;
    double storageCapacity;
};

class WorkedBalance : public ::testing::TestWithParam<BalanceCase> {};

TEST_P(WorkedBalance, GivesSelfConsumptionPurchaseAndBattery) {
    const BalanceCase& c = GetParam();
    const CalculatorState state = workedBalance(c.storageDays);
    EXPECT_NEAR(state.values[SelfConsumption], c.selfConsumption, 0.05);
    EXPECT_NEAR(state.values[GridPurchase], c.gridPurchase, 0.05);
    EXPECT_NEAR(state.values[StorageCapacity], c.storageCapacity, 5e-5);
    EXPECT_NEAR(state.figures.peakDailyDemand, 9.868421, 1e-6);
    EXPECT_NEAR(state.figures.peakDaytimeDemand, 5.921053, 1e-6);
    EXPECT_TRUE(nearRelative(sumOf(state.figures.monthlySelfUse), state.values[SelfConsumption]));
    EXPECT_DOUBLE_EQ(state.figures.maxMonthlyConsumption, 300);
    for (std::size_t i = 0; i < 12; ++i) {
        EXPECT_DOUBLE_EQ(state.figures.monthlyConsumption[i], 300);
        EXPECT_GE(state.figures.monthlyPurchase[i], 0);
        EXPECT_NEAR(state.figures.monthlyPurchase[i] + state.figures.monthlySelfUse[i], 300, 1e-9);
    }
    EXPECT_TRUE(state.chartRedrawPending);
    EXPECT_TRUE(state.tableRefreshPending);
}

INSTANTIATE_TEST_SUITE_P(
    StorageDays, WorkedBalance,
    ::testing::Values(BalanceCase{"NoBattery", 0, 2644.7, 955.3, 0},
                      BalanceCase{"HalfDayBatteryCoversNightOnly", 0.5, 2644.7, 955.3, 1.9737},
                      BalanceCase{"ExactlyPointEightIsStillNoBattery", 0.8, 2644.7, 955.3,
                                  3.157895},
                      BalanceCase{"ExactlyOneDayCoversNightOnly", 1, 2961.159, 638.841, 3.947368},
                      BalanceCase{"TwoDayBatteryCoversWholeDays", 2, 2961.159, 638.841, 19.7368}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(WorkedBalance, MonthlySelfUseWithoutBattery) {
    const CalculatorState state = workedBalance(0);
    EXPECT_NEAR(state.figures.monthlySelfUse[0], 116.68, 0.005);
    for (std::size_t i = 3; i <= 7; ++i) {
        EXPECT_DOUBLE_EQ(state.figures.monthlySelfUse[i], 270) << "month " << i + 1;
    }
    EXPECT_NEAR(state.figures.monthlySelfUse[11], 91.48, 0.005);
}

// Heating, car and the day/night split weigh in with their own shares.
TEST(SelfConsumption, HeatingAndCarUseTheirDaytimeShares) {
    CalculatorState state;
    state.values[Latitude] = 50.5;
    state.values[AnnualYield] = 100000;  // so large that no month is capped
    state.values[HeatingElectricity] = 1000;
    state.values[CarElectricity] = 1200;
    splitAnnualYield(state);
    fillMonthlyHeating(state);
    evaluateSelfConsumption(state, SelfConsumption);
    // January: heating 200 kWh; 25 % of it directly, 28 % shifted, and 5 % of the car's 100.
    EXPECT_NEAR(state.figures.monthlySelfUse[0], 0.25 * 200 + 0.28 * 200 + 5, 1e-9);
    // July: no heating, only the car.
    EXPECT_NEAR(state.figures.monthlySelfUse[6], 5, 1e-9);
    // December has the most heating (207.143 kWh).
    const double car = 1200 * 0.0027412280701754384;
    const double heat = 207.143 * 0.03289473684210526;
    EXPECT_NEAR(state.figures.peakDailyDemand, car + heat, 1e-9);
    EXPECT_NEAR(state.figures.peakDaytimeDemand, 0.05 * car + 0.7 * heat, 1e-9);
}

TEST(SelfConsumption, NoYieldYetMeansNoSelfUse) {
    CalculatorState state;
    state.values[HouseholdElectricity] = 4100;
    evaluateSelfConsumption(state, SelfConsumption);
    EXPECT_EQ(state.values[SelfConsumption], 0);
    state.values[StorageDays] = 3;
    evaluateSelfConsumption(state, SelfConsumption);
    EXPECT_EQ(state.values[SelfConsumption], 0);
}

TEST(GridPurchase, MonthWithMoreSelfUseThanDemandBuysNothing) {
    CalculatorState state;
    state.values[HouseholdElectricity] = 1200;
    state.figures.monthlySelfUse.fill(50);
    state.figures.monthlySelfUse[4] = 250;
    evaluateGridPurchase(state, GridPurchase);
    EXPECT_EQ(state.figures.monthlyPurchase[4], 0);
    EXPECT_DOUBLE_EQ(state.figures.monthlyPurchase[0], 50);
    EXPECT_DOUBLE_EQ(state.values[GridPurchase], 11 * 50);
}

using Relation = void (*)(CalculatorState&, QuantityId);

struct ForeignTargetCase {
    const char* name;
    Relation relation;
    QuantityId target;
};

class ForeignTargets : public ::testing::TestWithParam<ForeignTargetCase> {};

TEST_P(ForeignTargets, ChangeNothing) {
    CalculatorState before = workedBalance(2);
    before.values[StorageDays] = 0.3;
    before.values[HouseholdElectricity] = 1234;
    before.tableRefreshPending = false;
    before.chartRedrawPending = false;
    CalculatorState after = before;
    GetParam().relation(after, GetParam().target);
    EXPECT_EQ(after.values, before.values);
    EXPECT_EQ(after.figures.monthlySelfUse, before.figures.monthlySelfUse);
    EXPECT_EQ(after.figures.monthlyPurchase, before.figures.monthlyPurchase);
    EXPECT_EQ(after.figures.peakDailyDemand, before.figures.peakDailyDemand);
    EXPECT_FALSE(after.tableRefreshPending);
    EXPECT_FALSE(after.chartRedrawPending);
}

INSTANTIATE_TEST_SUITE_P(Relations, ForeignTargets,
                         ::testing::Values(ForeignTargetCase{"SelfConsumptionForAnnualYield",
                                                             evaluateSelfConsumption, AnnualYield},
                                           ForeignTargetCase{"StorageCapacityForStorageDays",
                                                             evaluateStorageCapacity, StorageDays},
                                           ForeignTargetCase{"GridPurchaseForFeedIn",
                                                             evaluateGridPurchase, FeedIn}),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

}  // namespace
}  // namespace lumetra
