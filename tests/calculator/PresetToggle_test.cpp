// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "test_support/ModelStates.h"
#include "test_support/OpeningState.h"

namespace lumetra {
namespace {

using test::OpeningState;

enum class Expect { Preset, Derived, Free };

struct ToggleCase {
    const char* name;
    std::vector<QuantityId> clicks;  // "Vorgabe" clicks after the dialog has opened
    std::vector<std::pair<QuantityId, Expect>> expected;
};

void PrintTo(const ToggleCase& c, std::ostream* os) {
    *os << c.name;
}

class ToggleExamples : public ::testing::TestWithParam<ToggleCase> {};

Expect stateOf(const CalculatorState& state, QuantityId q) {
    return state.preset[q] ? Expect::Preset : state.derived[q] ? Expect::Derived : Expect::Free;
}

const char* nameOf(Expect e) {
    return e == Expect::Preset ? "preset" : e == Expect::Derived ? "derived" : "free";
}

TEST_P(ToggleExamples, EndInExpectedState) {
    OpeningState s;
    for (const QuantityId q : GetParam().clicks) {
        s.calculator.onPresetBoxClicked(q);
    }
    const auto& state = s.calculator.state();
    for (const auto& [q, expected] : GetParam().expected) {
        EXPECT_STREQ(nameOf(stateOf(state, q)), nameOf(expected)) << quantityIdentifier(q);
    }
}

constexpr Expect P = Expect::Preset;
constexpr Expect D = Expect::Derived;
constexpr Expect F = Expect::Free;

INSTANTIATE_TEST_SUITE_P(
    FromOpening, ToggleExamples,
    ::testing::Values(
        ToggleCase{"AreaReleasesOldestWidth",
                   {ModuleArea},
                   {{ModuleWidth, D}, {ModuleHeight, P}, {ModuleArea, P}}},
        ToggleCase{"AreaTwiceLeavesWidthUnticked",
                   {ModuleArea, ModuleArea},
                   {{ModuleWidth, F},
                    {ModuleArea, F},
                    {PowerPerArea, F},
                    {Efficiency, F},
                    {ModuleHeight, P},
                    {ModulePower, P}}},
        ToggleCase{"PowerPerAreaConflictReleasesPower",
                   {PowerPerArea},
                   {{ModulePower, D}, {PowerPerArea, P}, {ModuleArea, D}, {Efficiency, D}}},
        ToggleCase{"EfficiencyConflictFreesPowerAndPowerPerArea",
                   {Efficiency},
                   {{ModulePower, F}, {PowerPerArea, F}, {Efficiency, P}, {ModuleArea, D}}},
        ToggleCase{"HouseholdElectricityReleasesPersons",
                   {HouseholdElectricity},
                   {{Persons, D}, {HouseholdElectricity, P}}},
        ToggleCase{"WaterPerYearReleasesWaterPersons",
                   {WaterPerYear},
                   {{WaterPersons, D}, {WaterPerYear, P}, {WaterElectricity, D}}},
        ToggleCase{"WaterElectricityReleasesWaterPersons",
                   {WaterElectricity},
                   {{WaterPersons, D}, {WaterElectricity, P}, {WaterPerYear, D}}},
        ToggleCase{"HeatingElectricityReleasesHeatedArea",
                   {HeatingElectricity},
                   {{HeatedArea, D}, {HeatingElectricity, P}}},
        ToggleCase{"CarElectricityReleasesConsumption",
                   {CarElectricity},
                   {{CarConsumptionPer100km, D}, {CarElectricity, P}}},
        ToggleCase{
            "WaterPerYearThenElectricityReleasesPerPersonDay",
            {WaterPerYear, WaterElectricity},
            {{WaterPerYear, P}, {WaterElectricity, P}, {WaterPersons, F}, {WaterPerPersonDay, F}}},
        ToggleCase{"UntickWidthFreesItsChain",
                   {ModuleWidth},
                   {{ModuleWidth, F}, {ModuleArea, F}, {PowerPerArea, F}, {Efficiency, F}}},
        ToggleCase{"UntickPowerKeepsYieldDerived",
                   {ModulePower},
                   {{ModulePower, F}, {PowerPerArea, F}, {Efficiency, F}, {AnnualYield, D}}},
        // A walk after a release starts with fresh marks, so the module chain that the
        // presets 5, 7 and 8 determine is derived again after the water conflict's restart.
        ToggleCase{"WalkAfterRestartStillDerivesWidth",
                   {ModuleWidth, PowerPerArea, WaterPerYear, WaterElectricity},
                   {{ModuleWidth, D},
                    {ModuleArea, D},
                    {Efficiency, D},
                    {PowerPerArea, P},
                    {WaterPerPersonDay, F},
                    {WaterPersons, F}}},
        // Presets only a data file can set on the computed member of a relation whose other
        // members are read-only inputs close that relation at once; the preset is released.
        ToggleCase{"PeakIrradiancePresetIsReleased", {PeakIrradiance}, {{PeakIrradiance, D}}},
        ToggleCase{"SelfConsumptionPresetIsReleased",
                   {SelfConsumption},
                   {{SelfConsumption, D}, {FeedIn, D}}},
        ToggleCase{"InputOnlyStorageDaysCanBePreset", {StorageDays}, {{StorageDays, P}}}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(TogglePresetTest, UntickAndTickWidthRestoresTheOpeningState) {
    OpeningState s;
    const std::string opening = test::stateString(s.calculator.state());
    s.calculator.onPresetBoxClicked(ModuleWidth);
    s.calculator.onPresetBoxClicked(ModuleWidth);
    EXPECT_EQ(test::stateString(s.calculator.state()), opening);
}

TEST(TogglePresetTest, ClickNeitherSolvesNorWritesFields) {
    OpeningState s;
    s.fields.setFocusedField(ModuleWidth);
    s.fields.setFieldText(ModuleWidth, "2.000");
    s.fields.setFocusedField(std::nullopt);
    const std::string areaText = s.fields.fieldText(ModuleArea);
    s.calculator.onPresetBoxClicked(ModuleArea);
    EXPECT_EQ(s.fields.fieldText(ModuleArea), areaText);
    EXPECT_EQ(s.fields.fieldText(ModuleWidth), "2.000");
    EXPECT_EQ(s.value(ModuleWidth), 2.0) << "the toggle reads all fields first";
}

// No relation may be left with every member fixed by presets or read only, and no quantity
// may be preset and derived at once, whatever order of clicks (and of presets only a data
// file sets) leads there.
bool hasClosedRelation(const Calculator& calculator, int& which) {
    const auto& lists = calculator.relationLists();
    const auto& state = calculator.state();
    for (int f = 0; f < kRelationCount; ++f) {
        bool closed = true;
        for (int i = 0; i < lists.relationMemberCount[f]; ++i) {
            const int q = lists.relationMembers[f][i];
            closed = closed && (state.preset[q] || roleOf(q, f) == kInputOnly);
        }
        if (closed) {
            which = f;
            return true;
        }
    }
    return false;
}

TEST(TogglePresetProperty, RandomToggleSequencesEndConsistent) {
    for (unsigned seed = 1; seed <= 60; ++seed) {
        OpeningState s(seed % 2 == 0);
        std::mt19937 random(seed);
        std::uniform_int_distribution<int> pick(0, kQuantityCount - 1);
        for (int step = 0; step < 120; ++step) {
            const auto q = static_cast<QuantityId>(pick(random));
            s.calculator.togglePreset(q);
            const auto& state = s.calculator.state();
            ASSERT_EQ(test::stateString(state).find('X'), std::string::npos)
                << "seed " << seed << " step " << step << " " << test::stateString(state);
            int closed = -1;
            ASSERT_FALSE(hasClosedRelation(s.calculator, closed))
                << "relation " << closed << " closed, seed " << seed << " step " << step;
            for (int i = 0; i < kQuantityCount; ++i) {
                const auto id = static_cast<QuantityId>(i);
                ASSERT_EQ(s.fields.isPresetBoxChecked(id), state.preset[id]);
                ASSERT_EQ(s.fields.isFieldReadOnly(id), state.derived[id]);
            }
        }
    }
}

// Solving after any such sequence ends too, and leaves finite values in every field.
TEST(TogglePresetProperty, SolvesAfterRandomTogglesEnd) {
    for (unsigned seed = 100; seed < 115; ++seed) {
        OpeningState s;
        std::mt19937 random(seed);
        std::uniform_int_distribution<int> pick(0, kQuantityCount - 1);
        for (int step = 0; step < 30; ++step) {
            s.calculator.togglePreset(static_cast<QuantityId>(pick(random)));
            s.calculator.solveFrom(static_cast<QuantityId>(pick(random)));
        }
        for (int q = 0; q < kQuantityCount; ++q) {
            EXPECT_TRUE(std::isfinite(s.value(static_cast<QuantityId>(q))) ||
                        q == HeatingPerformanceFactor || q == CoolingPerformanceFactor)
                << "seed " << seed << " quantity " << q;
        }
    }
}

}  // namespace
}  // namespace lumetra
