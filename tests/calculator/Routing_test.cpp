// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "calculator/ModuleFieldEditing.h"
#include "model/MemoryModuleFieldTable.h"
#include "test_support/OpeningState.h"

namespace lumetra {
namespace {

using test::OpeningState;

// A field panel that counts the solves: every solve reads every field once at its start.
class CountingPanel final : public FieldPanel {
  public:
    std::string fieldText(QuantityId q) const override {
        if (q == SolarPower && countReads) {
            ++reads;
        }
        return inner.fieldText(q);
    }
    void setFieldText(QuantityId q, std::string_view text) override { inner.setFieldText(q, text); }
    std::optional<QuantityId> focusedField() const override { return inner.focusedField(); }
    void setFieldReadOnly(QuantityId q, bool readOnly) override {
        inner.setFieldReadOnly(q, readOnly);
    }
    void setPresetBoxChecked(QuantityId q, bool checked) override {
        inner.setPresetBoxChecked(q, checked);
    }

    MemoryFieldPanel inner;
    mutable int reads = 0;
    bool countReads = false;
};

TEST(RoutingTest, OneKeystrokeIsOneSolveAndWritingRaisesNone) {
    CountingPanel panel;
    MemoryModuleFieldTable table;
    Calculator calculator(panel, table, [](std::function<void()>) {});
    panel.inner.setTextChangedHandler([&](QuantityId q) { calculator.onFieldTextChanged(q); });
    calculator.openDialog();
    panel.countReads = true;
    panel.inner.setFocusedField(Persons);
    panel.inner.setFieldText(Persons, "7");
    // readAllFields and writeAllFields each read the last field once; a solve raised by the
    // writes would read it again.
    EXPECT_EQ(panel.reads, 2);
    EXPECT_EQ(panel.inner.fieldText(HouseholdElectricity), "5 600");
    EXPECT_FALSE(calculator.inDataExchange());
}

TEST(RoutingTest, ProgramSetTextSolvesEvenForADerivedQuantity) {
    OpeningState s;
    ASSERT_TRUE(s.calculator.state().derived[PeakIrradiance]);
    s.fields.setFieldText(PeakIrradiance, "500");
    EXPECT_EQ(s.value(PeakIrradiance), 500);
    EXPECT_EQ(s.fields.fieldText(PeakIrradiance), "500");
}

struct FocusCase {
    const char* name;
    QuantityId q;
    bool solves;
};

class FocusLost : public ::testing::TestWithParam<FocusCase> {};

TEST_P(FocusLost, SolvesOnlyForFieldsThatAreNotDerived) {
    OpeningState s;
    auto& state = s.calculator.state();
    state.values[PeakIrradiance] = 1;  // a solve reads its field back
    s.calculator.onFieldFocusLost(GetParam().q);
    EXPECT_EQ(state.values[PeakIrradiance] != 1, GetParam().solves);
}

INSTANTIATE_TEST_SUITE_P(Cases, FocusLost,
                         ::testing::Values(FocusCase{"Preset", Latitude, true},
                                           FocusCase{"Free", StorageDays, true},
                                           FocusCase{"Derived", ModuleArea, false}),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(RoutingTest, BoxClickTogglesThePreset) {
    OpeningState s;
    s.calculator.onPresetBoxClicked(Persons);
    EXPECT_FALSE(s.calculator.state().preset[Persons]);
    EXPECT_FALSE(s.fields.isPresetBoxChecked(Persons));
}

TEST(RoutingTest, WritingLeavesTheFocusedFieldAlone) {
    OpeningState s;
    s.fields.setFocusedField(ModuleArea);
    s.calculator.state().values[ModuleArea] = 9;
    s.calculator.writeAllFields();
    EXPECT_EQ(s.fields.fieldText(ModuleArea), "1.713");
    s.fields.setFocusedField(std::nullopt);
    s.calculator.writeAllFields();
    EXPECT_EQ(s.fields.fieldText(ModuleArea), "9.000");
}

TEST(RoutingTest, YieldSolveRunsOnlyWhenPostedCallsRun) {
    OpeningState s;
    auto& state = s.calculator.state();
    s.calculator.requestYieldSolve();
    state.values[PeakIrradiance] = 1;
    EXPECT_EQ(state.values[PeakIrradiance], 1) << "nothing runs before the event has ended";
    s.runPosted();
    EXPECT_EQ(s.fields.fieldText(PeakIrradiance), "1 033");
    EXPECT_EQ(s.fields.fieldText(Latitude), "47.105186");
}

struct TickCase {
    const char* name;
    bool table;
    bool chart;
};

class RefreshTick : public ::testing::TestWithParam<TickCase> {};

TEST_P(RefreshTick, ClearsFlagsAndReportsChart) {
    OpeningState s;
    auto& state = s.calculator.state();
    state.tableRefreshPending = GetParam().table;
    state.chartRedrawPending = GetParam().chart;
    EXPECT_EQ(s.calculator.refreshTick(), GetParam().chart);
    EXPECT_FALSE(state.tableRefreshPending);
    EXPECT_FALSE(state.chartRedrawPending);
    EXPECT_FALSE(s.calculator.refreshTick());
}

INSTANTIATE_TEST_SUITE_P(Flags, RefreshTick,
                         ::testing::Values(TickCase{"Nothing", false, false},
                                           TickCase{"TableOnly", true, false},
                                           TickCase{"ChartOnly", false, true},
                                           TickCase{"Both", true, true}),
                         [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace lumetra
