// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "model/FieldText.h"
#include "test_support/OpeningState.h"
#include "test_support/TestSupport.h"

namespace lumetra {
namespace {

using test::OpeningState;

// Typing a text and leaving the field: the solve limits the start value, and once the field
// has lost the focus it shows the value in its display form.
struct TypeCase {
    const char* name;
    QuantityId q;
    const char* typed;
    double solvedValue;
    const char* shownAfterLeaving;
};

void PrintTo(const TypeCase& c, std::ostream* os) {
    *os << c.name;
}

class TypeAndLeave : public ::testing::TestWithParam<TypeCase> {};

TEST_P(TypeAndLeave, SolvesWithLimitedValueAndShowsDisplayForm) {
    const TypeCase& c = GetParam();
    OpeningState s;
    s.fields.setFocusedField(c.q);
    s.fields.setFieldText(c.q, c.typed);
    EXPECT_EQ(s.value(c.q), c.solvedValue);
    EXPECT_EQ(s.fields.fieldText(c.q), c.typed) << "the focused field keeps what was typed";
    s.fields.setFocusedField(std::nullopt);
    s.calculator.onFieldFocusLost(c.q);
    EXPECT_EQ(s.fields.fieldText(c.q), c.shownAfterLeaving);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, TypeAndLeave,
    ::testing::Values(TypeCase{"LatitudeAboveMaximum", Latitude, "95", 90, "90.000000"},
                      TypeCase{"LatitudeFarAboveMaximum", Latitude, "120", 90, "90.000000"},
                      TypeCase{"LatitudeBelowMinimum", Latitude, "-100", -90, "-90.000000"},
                      TypeCase{"WidthBelowMinimum", ModuleWidth, "0", 0.1, "0.100"},
                      TypeCase{"DistanceGetsGroupBlank", CarDistance, "4100", 4100, "4 100"},
                      TypeCase{"HeatedAreaCutToOneDecimal", HeatedArea, "3.75", 3.7, "3.7"},
                      TypeCase{"CommaAsPoint", HeatedArea, "1,5", 1.5, "1.5"},
                      TypeCase{"UnitAfterNumber", Persons, "12 kWh", 12, "12"},
                      TypeCase{"LettersReadAsZero", Persons, "abc", 0, "0"},
                      TypeCase{"LossesAboveHundred", SystemLosses, "250", 100, "100.0"}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(SolveFromTest, LatitudeLimitedBeforeItReachesThePeakIrradiance) {
    OpeningState s;
    s.type(Latitude, "95");
    EXPECT_TRUE(
        test::nearRelative(s.value(PeakIrradiance), 1150 * std::cos(69 * 0.017453292519943295)));
    EXPECT_EQ(s.fields.fieldText(PeakIrradiance), "412");
}

TEST(SolveFromTest, EveryKeystrokeSolvesAndOtherFieldsFollow) {
    OpeningState s;
    s.fields.setFocusedField(Persons);
    s.fields.setFieldText(Persons, "1");
    EXPECT_EQ(s.fields.fieldText(HouseholdElectricity), "2 300");
    s.fields.setFieldText(Persons, "15");
    EXPECT_EQ(s.fields.fieldText(HouseholdElectricity), "9 600");
    EXPECT_EQ(s.fields.fieldText(Persons), "15");
}

TEST(SolveFromTest, FallbackComputesAreaThenHeightWhenOnlyWidthIsFixed) {
    OpeningState s;
    s.calculator.onPresetBoxClicked(ModuleHeight);  // height free: relation 1 has two unknowns
    ASSERT_FALSE(s.calculator.state().preset[ModuleHeight]);
    ASSERT_FALSE(s.calculator.state().derived[ModuleArea]);
    s.type(ModuleWidth, "2.000");
    EXPECT_TRUE(test::nearRelative(s.value(ModuleArea), 3.372));
    EXPECT_TRUE(test::nearRelative(s.value(ModuleHeight), 1.686));
    EXPECT_EQ(s.fields.fieldText(ModuleArea), "3.372");
}

TEST(SolveFromTest, UnchangedValueStillRunsTheFirstSweep) {
    OpeningState s;
    auto& state = s.calculator.state();
    state.tableRefreshPending = false;
    state.values[HeatingElectricity] = 1;  // not read back from its field: recomputed
    s.calculator.solveFrom(Latitude);
    EXPECT_TRUE(state.tableRefreshPending);
    EXPECT_EQ(s.fields.fieldText(HeatingElectricity), "714");
}

TEST(SolveFromTest, CarDataReachesCarElectricityAndTheBalance) {
    OpeningState s;
    s.type(CarDistance, "15000");
    EXPECT_TRUE(test::nearRelative(s.value(CarElectricity), 2565));
    const auto& v = s.calculator.state().values;
    // The balance follows from whatever the yield and self-consumption relations computed.
    EXPECT_EQ(s.fields.fieldText(FeedIn), formatFieldText(v[AnnualYield] - v[SelfConsumption], 0));
    EXPECT_EQ(s.fields.fieldText(SelfConsumptionValue),
              formatFieldText(v[ElectricityPrice] * v[SelfConsumption], 2));
    EXPECT_EQ(s.fields.fieldText(GridPurchaseCost),
              formatFieldText(v[ElectricityPrice] * v[GridPurchase], 2));
}

struct PriceCase {
    const char* name;
    QuantityId price;
    const char* typed;
};

class PriceChange : public ::testing::TestWithParam<PriceCase> {};

TEST_P(PriceChange, RecomputesTheMoneyValues) {
    OpeningState s;
    auto& v = s.calculator.state().values;
    // Give the balance figures something to multiply.
    s.fields.setFieldText(SelfConsumption, "1 000");
    s.fields.setFieldText(FeedIn, "3 000");
    s.fields.setFieldText(GridPurchase, "2 000");
    s.type(GetParam().price, GetParam().typed);
    EXPECT_TRUE(
        test::nearRelative(v[SelfConsumptionValue], v[ElectricityPrice] * v[SelfConsumption]));
    EXPECT_TRUE(test::nearRelative(v[FeedInValue], v[FeedInTariff] * v[FeedIn]));
    EXPECT_TRUE(test::nearRelative(v[GridPurchaseCost], v[ElectricityPrice] * v[GridPurchase]));
}

INSTANTIATE_TEST_SUITE_P(Prices, PriceChange,
                         ::testing::Values(PriceCase{"ElectricityPrice", ElectricityPrice, "0.300"},
                                           PriceCase{"FeedInTariff", FeedInTariff, "0.050"}),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(SolveFromTest, StorageDaysSolveEndsWithEveryDerivedFieldWritten) {
    OpeningState s;
    s.type(StorageDays, "2.0");
    EXPECT_EQ(s.value(StorageDays), 2.0);
    for (int q = 0; q < kQuantityCount; ++q) {
        const auto id = static_cast<QuantityId>(q);
        EXPECT_EQ(s.fields.fieldText(id), formatFieldText(s.value(id), kQuantityInfo[id].decimals));
    }
}

// A zero annual electricity makes the performance factor infinite; the field shows it in the
// formatting engine's convention and later solves neither crash nor loop.
TEST(SolveFromTest, InfinitePerformanceFactorShowsAndStaysContained) {
    OpeningState s;
    s.calculator.onPresetBoxClicked(HeatingElectricity);   // releases the heated area
    s.calculator.onPresetBoxClicked(HeatedArea);           // releases the demand factor
    s.calculator.onPresetBoxClicked(HeatingDemandFactor);  // releases the performance factor
    ASSERT_TRUE(s.calculator.state().derived[HeatingPerformanceFactor]);
    s.type(HeatingElectricity, "0");
    EXPECT_EQ(s.fields.fieldText(HeatingPerformanceFactor), "1.#INF");
    s.type(Persons, "3");
    EXPECT_EQ(s.fields.fieldText(HeatingPerformanceFactor), "1.#INF");
    for (int q = 0; q < kQuantityCount; ++q) {
        if (q != HeatingPerformanceFactor) {
            EXPECT_TRUE(std::isfinite(s.value(static_cast<QuantityId>(q)))) << q;
        }
    }
    s.type(HeatingElectricity, "500");
    EXPECT_EQ(s.fields.fieldText(HeatingPerformanceFactor), "5.0");
}

TEST(SolveFromTest, HugeValuesSurviveARoundTrip) {
    OpeningState s;
    s.type(CarDistance, "12345678901");
    EXPECT_EQ(s.value(CarDistance), 12345678901.0);
    EXPECT_EQ(s.fields.fieldText(CarDistance), "12 345 678 901");
    s.type(Persons, "4");
    EXPECT_EQ(s.value(CarDistance), 12345678901.0);
}

}  // namespace
}  // namespace lumetra
