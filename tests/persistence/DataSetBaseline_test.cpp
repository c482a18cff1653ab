// SPDX-License-Identifier: GPL-3.0-or-later
// Whether the data set has changes that closing would lose: it is compared, as a save would
// write it, with what was last loaded or saved or with the opening state.
#include "persistence/DataSetBaseline.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <random>

#include "calculator/ModuleFieldEditing.h"
#include "energy/ModuleFieldColumns.h"
#include "persistence/DataFile.h"
#include "persistence/DataFileFormat.h"
#include "test_support/OpeningState.h"
#include "test_support/TestSupport.h"

namespace lumetra::test {
namespace {

// Brings the opening state to rest: posted solves and the first refresh tick.
void settle(OpeningState& state, DataSetBaseline& baseline) {
    state.runPosted();
    baseline.refreshTick(state.calculator);
}

// Sets a quantity that is 0 at the opening to `value`, behind the fields' back.
void setZero(OpeningState& state, QuantityId q, double value) {
    double& stored = state.calculator.state().values[q];
    ASSERT_EQ(stored, 0.0) << "the case needs a quantity that is 0 at the opening";
    stored = value;
}

struct ChangeCase {
    const char* name;
    std::function<void(OpeningState&)> change;
    bool differs;
};

class DataSetChanges : public ::testing::TestWithParam<ChangeCase> {};

TEST_P(DataSetChanges, AreToldFromTheOpeningState) {
    OpeningState state;
    DataSetBaseline baseline;
    baseline.take(state.calculator);
    settle(state, baseline);
    ASSERT_FALSE(baseline.differs(state.calculator)) << "the opening state is unchanged";

    GetParam().change(state);
    state.runPosted();
    EXPECT_EQ(baseline.differs(state.calculator), GetParam().differs);
    // A refresh tick neither hides a change nor makes one.
    baseline.refreshTick(state.calculator);
    EXPECT_EQ(baseline.differs(state.calculator), GetParam().differs);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DataSetChanges,
    ::testing::Values(
        ChangeCase{"NothingDone", [](OpeningState&) {}, false},
        ChangeCase{"TypedAValue", [](OpeningState& s) { s.type(Persons, "5"); }, true},
        ChangeCase{"TypedTheSameValueAgain",
                   [](OpeningState& s) { s.type(Persons, s.fields.fieldText(Persons)); }, false},
        ChangeCase{"TypedAndTypedBack",
                   [](OpeningState& s) {
                       const std::string before = s.fields.fieldText(Persons);
                       s.type(Persons, "7");
                       s.type(Persons, before);
                   },
                   false},
        ChangeCase{"ClickedAVorgabeBox",
                   [](OpeningState& s) { s.calculator.onPresetBoxClicked(ModulePower); }, true},
        ChangeCase{"EditedACell",
                   [](OpeningState& s) { s.editCell(s.table.firstRow(), ColumnWidth, "6"); }, true},
        ChangeCase{"AddedAField",
                   [](OpeningState& s) {
                       s.editCell(s.calculator.state().placeholderRow, ColumnArea, "12");
                   },
                   true},
        ChangeCase{"DeletedTheField",
                   [](OpeningState& s) { deleteRowCommand(s.calculator, s.table.firstRow()); },
                   true},
        // What counts is the line a save writes, six decimals: a value changed below them is
        // no change, nor is a zero that became a negative zero ("0.000000" both); a zero that
        // became a tiny negative number is ("-0.000000").
        ChangeCase{"ChangedBelowWhatASaveWrites",
                   [](OpeningState& s) { s.calculator.state().values[Persons] += 1e-9; }, false},
        ChangeCase{"ZeroBecameNegativeZero", [](OpeningState& s) { setZero(s, StorageDays, -0.0); },
                   false},
        ChangeCase{"ZeroBecameATinyNegativeNumber",
                   [](OpeningState& s) { setZero(s, StorageDays, -1e-7); }, true}),
    [](const auto& test) { return std::string(test.param.name); });

// A loaded field's area completed to 4.125 m² is shown as 4.12 m² by the next tick, so a save
// afterwards writes 4.12: that is the window's own rounding, not a change of the user's.
TEST(DataSetBaseline, TheDisplayFormOfLoadedCellsIsNoChange) {
    TemporaryFolder folder;
    const std::filesystem::path file = folder.path() / "fein.lumet";
    {
        OpeningState source;
        source.runPosted();
        std::string bytes = dataFileBytes(source.calculator);
        // A field of 1.5 m x 2.75 m whose area (4.125 m²) the load completes.
        const auto replaceLine = [&bytes](std::string_view start, std::string_view by) {
            const std::size_t at = bytes.find(start);
            ASSERT_NE(at, std::string::npos) << start;
            bytes.replace(at, bytes.find('\n', at) + 1 - at, by);
        };
        replaceLine("[01] Modulfeldbreite", "[01] Modulfeldbreite = 1.5 m\n");
        replaceLine("[01] Modulfeldh\xF6he", "[01] Modulfeldh\xF6he = 2.75 m\n");
        replaceLine(
            "[01] Modulfeldfl\xE4"
            "che",
            "");
        std::ofstream(file, std::ios::binary) << bytes;
    }
    OpeningState state;
    state.runPosted();
    DataSetBaseline baseline;
    ASSERT_EQ(loadDataFile(state.calculator, file), DataFileOutcome::Done);
    state.runPosted();
    baseline.take(state.calculator);
    const std::string loaded = dataFileBytes(state.calculator);

    state.calculator.state().tableRefreshPending = true;
    baseline.refreshTick(state.calculator);
    ASSERT_NE(dataFileBytes(state.calculator), loaded) << "the tick rounds the loaded width";
    EXPECT_FALSE(baseline.differs(state.calculator));

    state.type(Persons, "6");
    EXPECT_TRUE(baseline.differs(state.calculator));
}

TEST(DataSetBaseline, TakingItAgainAcceptsTheChanges) {
    OpeningState state;
    state.runPosted();
    DataSetBaseline baseline;
    baseline.take(state.calculator);
    state.type(HouseholdElectricity, "4500");
    ASSERT_TRUE(baseline.differs(state.calculator));
    baseline.take(state.calculator);  // as a save does
    EXPECT_FALSE(baseline.differs(state.calculator));
}

// The baseline keeps the data set in parts and formats only the rows that changed; whatever the
// edits, it must tell a change exactly when the bytes a save writes differ from those it took.
TEST(DataSetBaseline, AgreesWithTheSavedBytesThroughRandomEdits) {
    for (unsigned seed = 1; seed <= 12; ++seed) {
        OpeningState state;
        state.runPosted();
        DataSetBaseline baseline;
        baseline.take(state.calculator);
        std::string taken = dataFileBytes(state.calculator);
        std::mt19937 random(seed);
        const auto pick = [&random](int count) {
            return std::uniform_int_distribution<int>(0, count - 1)(random);
        };
        const auto someRow = [&] { return state.randomRow(random); };
        const char* texts[] = {"2", "3,5", "4", "0,0000001", "12", "-1", "2,0000001"};
        const int columns[] = {ColumnWidth, ColumnHeight, ColumnArea, ColumnTilt};
        for (int step = 0; step < 60; ++step) {
            switch (pick(6)) {
                case 0:
                case 1:
                    state.editCell(someRow(), columns[pick(4)], texts[pick(7)]);
                    break;
                case 2:
                    state.editCell(state.calculator.state().placeholderRow, ColumnWidth,
                                   texts[pick(7)]);
                    break;
                case 3:
                    deleteRowCommand(state.calculator, someRow());
                    state.runPosted();
                    break;
                case 4:
                    state.type(Persons, texts[pick(7)]);
                    break;
                case 5:
                    baseline.refreshTick(state.calculator);
                    if (!baseline.differs(state.calculator)) {
                        taken = dataFileBytes(state.calculator);
                    }
                    break;
            }
            ASSERT_EQ(baseline.differs(state.calculator), dataFileBytes(state.calculator) != taken)
                << "seed " << seed << ", step " << step;
            if (pick(8) == 0) {  // as a save does
                baseline.take(state.calculator);
                taken = dataFileBytes(state.calculator);
            }
        }
    }
}

}  // namespace
}  // namespace lumetra::test
