// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "model/FieldText.h"
#include "test_support/ModelStates.h"
#include "test_support/OpeningState.h"

namespace lumetra {
namespace {

using test::OpeningState;

TEST(OpeningStateTest, PresetsDerivedAndFreeAsTheDialogOpens) {
    OpeningState s;
    EXPECT_EQ(test::stateString(s.calculator.state()),
              "PPPDPPDPDDPDPDPPDDPPPDPPPDPPPDFDPPDDDDDDDD");
}

TEST(OpeningStateTest, BoxesAndReadOnlyFieldsShowTheState) {
    OpeningState s;
    const auto& state = s.calculator.state();
    for (int q = 0; q < kQuantityCount; ++q) {
        const auto id = static_cast<QuantityId>(q);
        EXPECT_EQ(s.fields.isPresetBoxChecked(id), state.preset[id]) << q;
        EXPECT_EQ(s.fields.isFieldReadOnly(id), state.derived[id]) << q;
    }
}

TEST(OpeningStateTest, InitialPresetsGetStampsOneToTwentyOne) {
    OpeningState s;
    const auto& state = s.calculator.state();
    EXPECT_EQ(state.stampCounter, 21u);
    for (std::size_t i = 0; i < kInitialPresets.size(); ++i) {
        EXPECT_EQ(state.presetStamp[kInitialPresets[i]], i + 1);
    }
}

struct ShownCase {
    const char* name;
    QuantityId q;
    const char* text;
};

class OpeningFields : public ::testing::TestWithParam<ShownCase> {};

TEST_P(OpeningFields, ShowSolvedValue) {
    OpeningState s;
    EXPECT_EQ(s.fields.fieldText(GetParam().q), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Defaults, OpeningFields,
    ::testing::Values(ShownCase{"Latitude", Latitude, "47.105186"},
                      ShownCase{"PeakIrradiance", PeakIrradiance, "1 033"},
                      ShownCase{"ModuleAreaFromWidthAndHeight", ModuleArea, "1.713"},
                      ShownCase{"PowerPerArea", PowerPerArea, "198"},
                      ShownCase{"EfficiencyRounded", Efficiency, "20"},
                      ShownCase{"HouseholdElectricity", HouseholdElectricity, "4 100"},
                      ShownCase{"WaterPerYear", WaterPerYear, "79.20"},
                      ShownCase{"WaterElectricity", WaterElectricity, "4 594"},
                      ShownCase{"HeatingElectricity", HeatingElectricity, "714"},
                      ShownCase{"CoolingElectricity", CoolingElectricity, "2 400"},
                      ShownCase{"NoCarNoElectricity", CarElectricity, "0"},
                      ShownCase{"ElectricityPrice", ElectricityPrice, "0.130"},
                      ShownCase{"FeedInTariff", FeedInTariff, "0.105"}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(OpeningStateTest, ConstructionEvaluatesTheTwoMemberRelations) {
    OpeningState s(false);
    const auto& v = s.calculator.state().values;
    EXPECT_EQ(v[HouseholdElectricity], 4100.0);
    EXPECT_EQ(v[FeedIn], 0.0);
    EXPECT_EQ(v[StorageCapacity], 0.0);
    EXPECT_EQ(v[SolarArea], 0.0);
    EXPECT_EQ(v[SolarPower], 0.0);
    EXPECT_EQ(v[ModuleArea], 0.67) << "only two-member relations run at construction";
    EXPECT_EQ(s.fields.fieldText(Latitude), "") << "construction touches no field";
}

TEST(OpeningStateTest, ValuesCarryNoMoreDigitsThanTheirFields) {
    OpeningState s;
    const auto& v = s.calculator.state().values;
    for (int q = 0; q < kQuantityCount; ++q) {
        const auto id = static_cast<QuantityId>(q);
        EXPECT_EQ(formatFieldText(v[id], kQuantityInfo[id].decimals), s.fields.fieldText(id))
            << quantityIdentifier(id);
    }
}

}  // namespace
}  // namespace lumetra
