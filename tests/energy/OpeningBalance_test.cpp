// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "energy/OrientationFactor.h"
#include "energy/YieldBalance.h"
#include "test_support/OpeningState.h"
#include "test_support/TestSupport.h"

namespace lumetra {
namespace {

using test::nearRelative;
using test::OpeningState;

// The default data set solves end to end: the one 5 m x 2 m field of the opening table
// drives the yield, and the household's large demand takes all of it.
TEST(OpeningBalance, DefaultDataSetSolvesEveryDerivedFigure) {
    OpeningState opened;
    const double efficiency = opened.value(Efficiency);
    EXPECT_TRUE(nearRelative(efficiency, 19.848, 1e-4)) << "derived, not read from its text";
    const double rowYield = opened.value(AnnualIrradiation) * efficiency * 0.01 * 10 *
                            orientationFactor(30, 0, opened.value(Latitude));
    EXPECT_TRUE(nearRelative(opened.value(AnnualYield), 0.9 * rowYield));
    EXPECT_EQ(opened.fields.fieldText(AnnualYield), "1 945");

    EXPECT_DOUBLE_EQ(opened.value(SolarArea), 10);
    EXPECT_TRUE(nearRelative(opened.value(SolarPower), 10 * opened.value(PowerPerArea)));

    // Every month's demand exceeds what the field yields: all of it is used in the house.
    EXPECT_TRUE(nearRelative(opened.value(SelfConsumption), opened.value(AnnualYield)));
    EXPECT_NEAR(opened.value(FeedIn), 0, 1e-9);
    const double demand = opened.value(HouseholdElectricity) + opened.value(WaterElectricity) +
                          opened.value(HeatingElectricity) + opened.value(CoolingElectricity) +
                          opened.value(CarElectricity);
    EXPECT_TRUE(nearRelative(opened.value(GridPurchase), demand - opened.value(AnnualYield), 1e-6));
    EXPECT_TRUE(nearRelative(opened.value(GridPurchaseCost),
                             opened.value(ElectricityPrice) * opened.value(GridPurchase)));
    EXPECT_TRUE(nearRelative(opened.value(SelfConsumptionValue),
                             opened.value(ElectricityPrice) * opened.value(SelfConsumption)));
    EXPECT_EQ(opened.value(StorageCapacity), 0) << "no battery by default";
    EXPECT_GT(opened.calculator.state().figures.maxMonthlyYield, 0);
}

struct DispatchCase {
    const char* name;
    double storageDays;
    double selfConsumption;
    double feedIn;
    double gridPurchase;
    double storageCapacity;
};

class WorkedBalanceThroughRelations : public ::testing::TestWithParam<DispatchCase> {};

// The worked balance again, this time through the calculator's relation dispatch, so that
// feed-in (its own relation) follows from the self-consumption computed here.
TEST_P(WorkedBalanceThroughRelations, GivesFeedInAndPurchase) {
    const DispatchCase& c = GetParam();
    OpeningState unopened(false);
    Calculator& calculator = unopened.calculator;
    auto& v = calculator.state().values;
    v[Latitude] = 50.5;
    v[AnnualYield] = 5000;
    v[HouseholdElectricity] = 3600;
    v[WaterElectricity] = 0;
    v[HeatingElectricity] = 0;
    v[CoolingElectricity] = 0;
    v[CarElectricity] = 0;
    v[StorageDays] = c.storageDays;
    splitAnnualYield(calculator.state());
    // A target outside relations 8 and 9 only refills their months.
    calculator.evaluateRelation(8, Latitude);
    calculator.evaluateRelation(9, Latitude);
    calculator.evaluateRelation(11, SelfConsumption);
    calculator.evaluateRelation(12, FeedIn);
    calculator.evaluateRelation(13, StorageCapacity);
    calculator.evaluateRelation(14, GridPurchase);
    EXPECT_NEAR(v[SelfConsumption], c.selfConsumption, 0.05);
    EXPECT_NEAR(v[FeedIn], c.feedIn, 0.05);
    EXPECT_NEAR(v[GridPurchase], c.gridPurchase, 0.05);
    EXPECT_NEAR(v[StorageCapacity], c.storageCapacity, 5e-5);
}

INSTANTIATE_TEST_SUITE_P(StorageDays, WorkedBalanceThroughRelations,
                         ::testing::Values(DispatchCase{"NoBattery", 0, 2644.7, 2355.3, 955.3, 0},
                                           DispatchCase{"TwoDays", 2, 2961.159, 2038.841, 638.841,
                                                        19.7368}),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

}  // namespace
}  // namespace lumetra
