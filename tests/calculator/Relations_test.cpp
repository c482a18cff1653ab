// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "test_support/OpeningState.h"
#include "test_support/TestSupport.h"

namespace lumetra {
namespace {

using test::OpeningState;

const double kInf = std::numeric_limits<double>::infinity();

struct RelationCase {
    const char* name;
    int relation;
    QuantityId target;
    std::vector<std::pair<QuantityId, double>> inputs;  // set over the defaults
    double expected;                                    // value of the target afterwards
    bool setsTableRefresh;
};

void PrintTo(const RelationCase& c, std::ostream* os) {
    *os << c.name;
}

class RelationCases : public ::testing::TestWithParam<RelationCase> {};

TEST_P(RelationCases, ComputeTargetAndNothingElse) {
    const RelationCase& c = GetParam();
    OpeningState s(false);
    auto& state = s.calculator.state();
    for (const auto& [q, v] : c.inputs) {
        state.values[q] = v;
    }
    state.tableRefreshPending = false;
    const auto before = state.values;
    s.calculator.evaluateRelation(c.relation, c.target);
    if (std::isinf(c.expected)) {
        EXPECT_EQ(state.values[c.target], c.expected);
    } else {
        EXPECT_TRUE(test::nearRelative(state.values[c.target], c.expected, 1e-12));
    }
    for (int q = 0; q < kQuantityCount; ++q) {
        if (q != c.target) {
            EXPECT_EQ(state.values[q], before[q]) << "quantity " << q << " changed";
        }
    }
    EXPECT_EQ(state.tableRefreshPending, c.setsTableRefresh);
}

INSTANTIATE_TEST_SUITE_P(
    PeakIrradiance, RelationCases,
    ::testing::Values(RelationCase{"Equator", 0, PeakIrradiance, {{Latitude, 0}}, 1150, false},
                      RelationCase{
                          "TropicSouth", 0, PeakIrradiance, {{Latitude, -21}}, 1150, false},
                      RelationCase{"North90",
                                   0,
                                   PeakIrradiance,
                                   {{Latitude, 90}},
                                   1150 * std::cos(69 * 0.017453292519943295),
                                   false},
                      RelationCase{"South90",
                                   0,
                                   PeakIrradiance,
                                   {{Latitude, -90}},
                                   1150 * std::cos(69 * 0.017453292519943295),
                                   false},
                      RelationCase{"BeyondPoleCapsAt90",
                                   0,
                                   PeakIrradiance,
                                   {{Latitude, 200}},
                                   1150 * std::cos(90 * 0.017453292519943295),
                                   false},
                      RelationCase{"Default",
                                   0,
                                   PeakIrradiance,
                                   {},
                                   1150 * std::cos((47.105186 - 21.0) * 0.017453292519943295),
                                   false},
                      RelationCase{"LongitudeNotComputed", 0, Longitude, {}, 15.710793, false}),
    [](const auto& param) { return std::string(param.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Module, RelationCases,
    ::testing::Values(
        RelationCase{"AreaFromWidthHeight", 1, ModuleArea, {}, 1.712976, false},
        RelationCase{"HeightFromAreaWidth",
                     1,
                     ModuleHeight,
                     {{ModuleArea, 2.0}, {ModuleWidth, 1.0}},
                     2.0,
                     false},
        RelationCase{"HeightWithoutWidthIsZero", 1, ModuleHeight, {{ModuleWidth, 0}}, 0.0, false},
        RelationCase{"WidthWithoutHeightIsZero", 1, ModuleWidth, {{ModuleHeight, -1}}, 0.0, false},
        RelationCase{"WidthFromAreaHeight",
                     1,
                     ModuleWidth,
                     {{ModuleArea, 3}, {ModuleHeight, 2}},
                     1.5,
                     false},
        RelationCase{"PowerFromAreaAndPowerPerArea",
                     2,
                     ModulePower,
                     {{ModuleArea, 2}, {PowerPerArea, 200}},
                     400,
                     false},
        RelationCase{"PowerPerArea", 2, PowerPerArea, {{ModuleArea, 1.713}}, 340 / 1.713, false},
        RelationCase{"PowerPerAreaKeptWithoutArea",
                     2,
                     PowerPerArea,
                     {{ModuleArea, 0}, {PowerPerArea, 123}},
                     123,
                     false},
        RelationCase{"AreaFromPower", 2, ModuleArea, {{PowerPerArea, 200}}, 1.7, false},
        RelationCase{
            "AreaKeptWithoutPowerPerArea", 2, ModuleArea, {{PowerPerArea, 0}}, 0.67, false},
        RelationCase{
            "PowerPerAreaFromEfficiency", 3, PowerPerArea, {{Efficiency, 19.848}}, 198.48, false},
        RelationCase{
            "EfficiencyFromPowerPerArea", 3, Efficiency, {{PowerPerArea, 198.48}}, 19.848, false},
        RelationCase{
            "PowerNeverComputedByEfficiency", 3, ModulePower, {{PowerPerArea, 1}}, 340, false}),
    [](const auto& param) { return std::string(param.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Household, RelationCases,
    ::testing::Values(
        RelationCase{"OnePerson", 5, HouseholdElectricity, {{Persons, 1}}, 2300, true},
        RelationCase{"TwoPersons", 5, HouseholdElectricity, {{Persons, 2}}, 3000, true},
        RelationCase{"ThreePersons", 5, HouseholdElectricity, {{Persons, 3}}, 3600, true},
        RelationCase{"FourPersons", 5, HouseholdElectricity, {{Persons, 4}}, 4100, true},
        RelationCase{"FivePersons", 5, HouseholdElectricity, {{Persons, 5}}, 4600, true},
        RelationCase{"HalfPerson", 5, HouseholdElectricity, {{Persons, 0.5}}, 1900, true},
        RelationCase{"NobodyUsesNothing", 5, HouseholdElectricity, {{Persons, 0.01}}, 0, true},
        RelationCase{"PersonsFrom3000TakesUpperBranch",
                     5,
                     Persons,
                     {{HouseholdElectricity, 3000}},
                     2,
                     false},
        RelationCase{"PersonsFrom2300", 5, Persons, {{HouseholdElectricity, 2300}}, 1, false},
        RelationCase{"PersonsFrom2650", 5, Persons, {{HouseholdElectricity, 2650}}, 1.5, false},
        RelationCase{"PersonsFrom3600", 5, Persons, {{HouseholdElectricity, 3600}}, 3, false},
        RelationCase{"PersonsFrom4600", 5, Persons, {{HouseholdElectricity, 4600}}, 5, false},
        RelationCase{
            "PersonsBelow1500Negative", 5, Persons, {{HouseholdElectricity, 1000}}, -0.625, false},
        RelationCase{"PersonsFromNothing", 5, Persons, {{HouseholdElectricity, 0.1}}, 0, false}),
    [](const auto& param) { return std::string(param.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Water, RelationCases,
    ::testing::Values(
        RelationCase{"VolumePerYear", 6, WaterPerYear, {}, 79.2, false},
        RelationCase{"PersonsFromVolume",
                     6,
                     WaterPersons,
                     {{WaterPerYear, 79.2}},
                     79.2 * 2.7777777777777777 / 55,
                     false},
        RelationCase{"PersonsWithoutDailyUse", 6, WaterPersons, {{WaterPerPersonDay, 0}}, 0, false},
        RelationCase{"DailyUseFromVolume",
                     6,
                     WaterPerPersonDay,
                     {{WaterPerYear, 72}},
                     72 * 2.7777777777777777 / 4,
                     false},
        RelationCase{"DailyUseWithoutPersons", 6, WaterPerPersonDay, {{WaterPersons, 0}}, 0, false},
        RelationCase{"Electricity", 7, WaterElectricity, {}, 4593.6, true},
        RelationCase{"PersonsFromElectricity",
                     7,
                     WaterPersons,
                     {{WaterElectricity, 4593.6}},
                     4593.6 * 4.789272030651341e-05 / 55 * 1000.0,
                     false},
        RelationCase{"PersonsFromElectricityWithoutUse",
                     7,
                     WaterPersons,
                     {{WaterPerPersonDay, -1}},
                     0,
                     false},
        RelationCase{"UseFromElectricity",
                     7,
                     WaterPerPersonDay,
                     {{WaterElectricity, 4593.6}},
                     4593.6 * 4.789272030651341e-05 / 4 * 1000.0,
                     false},
        RelationCase{"UseFromElectricityWithoutPersons",
                     7,
                     WaterPerPersonDay,
                     {{WaterPersons, 0}},
                     0,
                     false}),
    [](const auto& param) { return std::string(param.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Heating, RelationCases,
    ::testing::Values(
        RelationCase{"Electricity", 8, HeatingElectricity, {}, 2500 / 3.5, true},
        RelationCase{"ZeroFactorTakenAsOneHundredth",
                     8,
                     HeatingElectricity,
                     {{HeatingPerformanceFactor, 0}},
                     250000,
                     true},
        RelationCase{"AreaFromElectricity",
                     8,
                     HeatedArea,
                     {{HeatingElectricity, 700}},
                     700 * 3.5 / 25,
                     false},
        RelationCase{
            "AreaWithoutDemandFactor", 8, HeatedArea, {{HeatingDemandFactor, 0}}, 0, false},
        RelationCase{"DemandFactor",
                     8,
                     HeatingDemandFactor,
                     {{HeatingElectricity, 700}},
                     700 * 3.5 / 100,
                     false},
        RelationCase{
            "DemandFactorWithoutArea", 8, HeatingDemandFactor, {{HeatedArea, 0}}, 0, false},
        RelationCase{"PerformanceFactor",
                     8,
                     HeatingPerformanceFactor,
                     {{HeatingElectricity, 500}},
                     5,
                     false},
        RelationCase{"PerformanceFactorWithoutArea",
                     8,
                     HeatingPerformanceFactor,
                     {{HeatedArea, 0}},
                     1.0,
                     false},
        RelationCase{"PerformanceFactorWithoutDemand",
                     8,
                     HeatingPerformanceFactor,
                     {{HeatingDemandFactor, 0}},
                     1.0,
                     false},
        RelationCase{"PerformanceFactorFromZeroElectricityIsInfinite",
                     8,
                     HeatingPerformanceFactor,
                     {{HeatingElectricity, 0}},
                     kInf,
                     false}),
    [](const auto& param) { return std::string(param.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Cooling, RelationCases,
    ::testing::Values(
        RelationCase{"Electricity", 9, CoolingElectricity, {}, 2400, true},
        RelationCase{"ZeroFactorTakenAsOneHundredth",
                     9,
                     CoolingElectricity,
                     {{CoolingPerformanceFactor, -3}},
                     600000,
                     true},
        RelationCase{"Area",
                     9,
                     CooledArea,
                     {{CoolingElectricity, 2400}},
                     2400 * 2.5 / 100 * 1.6666666666666667,
                     false},
        RelationCase{"AreaWithoutLoad", 9, CooledArea, {{CoolingLoadPerArea, 0}}, 0, false},
        RelationCase{"Load",
                     9,
                     CoolingLoadPerArea,
                     {{CoolingElectricity, 1200}},
                     1200 * 2.5 / 100 * 1.6666666666666667,
                     false},
        RelationCase{"LoadWithoutArea", 9, CoolingLoadPerArea, {{CooledArea, 0}}, 0, false},
        RelationCase{"PerformanceFactor",
                     9,
                     CoolingPerformanceFactor,
                     {{CoolingElectricity, 3000}},
                     2,
                     false},
        RelationCase{"PerformanceFactorWithoutLoad",
                     9,
                     CoolingPerformanceFactor,
                     {{CoolingLoadPerArea, 0}},
                     1.0,
                     false},
        RelationCase{"PerformanceFactorFromZeroElectricityIsInfinite",
                     9,
                     CoolingPerformanceFactor,
                     {{CoolingElectricity, 0}},
                     kInf,
                     false}),
    [](const auto& param) { return std::string(param.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Car, RelationCases,
    ::testing::Values(
        RelationCase{"NoDistanceNoElectricity", 10, CarElectricity, {}, 0, true},
        RelationCase{"Electricity", 10, CarElectricity, {{CarDistance, 15000}}, 2565, true},
        RelationCase{"Consumption",
                     10,
                     CarConsumptionPer100km,
                     {{CarDistance, 15000}, {CarElectricity, 2565}},
                     18,
                     false},
        RelationCase{"ConsumptionWithoutDistance",
                     10,
                     CarConsumptionPer100km,
                     {{CarElectricity, 2565}},
                     0,
                     false},
        RelationCase{"ConsumptionWithTotalLosses",
                     10,
                     CarConsumptionPer100km,
                     {{CarDistance, 100}, {ChargingLosses, 100}},
                     0,
                     false},
        RelationCase{"Distance", 10, CarDistance, {{CarElectricity, 2565}}, 15000, false},
        RelationCase{"DistanceWithoutConsumption",
                     10,
                     CarDistance,
                     {{CarElectricity, 2565}, {CarConsumptionPer100km, 0}},
                     0,
                     false},
        RelationCase{
            "Losses", 10, ChargingLosses, {{CarDistance, 15000}, {CarElectricity, 2565}}, 5, false},
        RelationCase{
            "LossesWithoutDistance", 10, ChargingLosses, {{CarElectricity, 2565}}, 0, false}),
    [](const auto& param) { return std::string(param.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Balance, RelationCases,
    ::testing::Values(
        RelationCase{
            "FeedIn", 12, FeedIn, {{AnnualYield, 5000}, {SelfConsumption, 1200}}, 3800, false},
        RelationCase{"FeedInOtherTarget", 12, SelfConsumption, {{SelfConsumption, 7}}, 7, false},
        RelationCase{"SelfConsumptionValue",
                     15,
                     SelfConsumptionValue,
                     {{SelfConsumption, 1000}},
                     130,
                     false},
        RelationCase{"FeedInValue", 16, FeedInValue, {{FeedIn, 1000}}, 105, false},
        RelationCase{"GridPurchaseCost", 17, GridPurchaseCost, {{GridPurchase, 2000}}, 260, false},
        RelationCase{
            "PriceNotComputed", 17, ElectricityPrice, {{GridPurchase, 2000}}, 0.13, false}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(RelationTotals, SolarAreaAndPowerComeFromTheModuleTotals) {
    OpeningState s(false);
    auto& state = s.calculator.state();
    state.figures.totalModuleArea = 10.5;
    state.figures.totalPeakPower = 2040;
    s.calculator.evaluateRelation(18, SolarArea);
    s.calculator.evaluateRelation(19, SolarPower);
    EXPECT_EQ(state.values[SolarArea], 10.5);
    EXPECT_EQ(state.values[SolarPower], 2040);
    s.calculator.evaluateRelation(18, SolarPower);
    s.calculator.evaluateRelation(19, AnnualYield);
    EXPECT_EQ(state.values[AnnualYield], 0);
}

TEST(RelationTotals, UnknownRelationChangesNothing) {
    OpeningState s(false);
    const auto before = s.calculator.state().values;
    s.calculator.evaluateRelation(20, Latitude);
    s.calculator.evaluateRelation(-1, Latitude);
    EXPECT_EQ(s.calculator.state().values, before);
}

}  // namespace
}  // namespace lumetra
