// SPDX-License-Identifier: GPL-3.0-or-later
// Save and load must give back what the user sees: over many seeded random sequences of the
// user's gestures (typing, Vorgabe clicks, cell edits, row deletions), the state after saving
// and loading into a freshly opened calculator shows the same text in every field that is not
// derived, the same Vorgabe marks and the same rows. Sequences that once failed are kept as
// named cases.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "calculator/ModuleFieldEditing.h"
#include "energy/ModuleFieldColumns.h"
#include "energy/ModuleFieldRules.h"
#include "persistence/DataFile.h"
#include "persistence/DataFileFormat.h"
#include "persistence/DataFileReader.h"
#include "test_support/OpeningState.h"

namespace lumetra {
namespace {

using test::OpeningState;

// One gesture, printable so that a failing sequence can be read and kept as a named case.
struct Gesture {
    enum class Kind { Type, Click, Cell, DeleteRow };
    Kind kind = Kind::Type;
    QuantityId quantity = Latitude;
    int row = 0;  // 0-based display row
    int column = 0;
    std::string text;
};

std::string describe(const std::vector<Gesture>& gestures) {
    std::ostringstream out;
    for (const Gesture& g : gestures) {
        switch (g.kind) {
            case Gesture::Kind::Type:
                out << "type " << quantityIdentifier(g.quantity) << "=\"" << g.text << "\"; ";
                break;
            case Gesture::Kind::Click:
                out << "click " << quantityIdentifier(g.quantity) << "; ";
                break;
            case Gesture::Kind::Cell:
                out << "cell " << g.row << "," << g.column << "=\"" << g.text << "\"; ";
                break;
            case Gesture::Kind::DeleteRow:
                out << "delete row " << g.row << "; ";
                break;
        }
    }
    return out.str();
}

// Runs a gesture as the window runs it (the posted solve and a refresh tick after table work).
// Returns false when the gesture cannot be made in the current state (a derived field, a row
// that is not there, the placeholder row's deletion).
bool perform(OpeningState& s, const Gesture& g) {
    switch (g.kind) {
        case Gesture::Kind::Type:
            if (s.calculator.state().derived[g.quantity]) {
                return false;
            }
            s.type(g.quantity, g.text);
            break;
        case Gesture::Kind::Click:
            if (kQuantityControls[g.quantity].box != PresetBoxKind::Enabled) {
                return false;
            }
            s.calculator.onPresetBoxClicked(g.quantity);
            break;
        case Gesture::Kind::Cell: {
            const RowHandle row = s.table.rowAt(g.row);
            if (row == kNoRow) {
                return false;
            }
            if (endCellEdit(s.calculator, row, g.column, &g.text, true)) {
                s.table.setCellText(row, g.column, g.text);
            }
            break;
        }
        case Gesture::Kind::DeleteRow: {
            const RowHandle row = s.table.rowAt(g.row);
            if (row == kNoRow || !canDeleteRow(s.calculator, row)) {
                return false;
            }
            deleteRowCommand(s.calculator, row);
            break;
        }
    }
    s.runPosted();
    s.calculator.refreshTick();
    return true;
}

// Texts a user may type into a field: ordinary figures, zeros, negative figures, decimal
// commas, grouped digits, and figures beyond the limits.
std::string randomFieldText(std::mt19937& random) {
    static const char* const kTexts[] = {"0",   "1",     "2",  "3",    "5",     "18",    "24",
                                         "0,5", "1.25",  "-3", "48.3", "1 000", "12000", "100",
                                         "250", "0.001", "99", "4500", "-100",  "7,75"};
    return kTexts[random() % std::size(kTexts)];
}

std::string randomCellText(std::mt19937& random, int column) {
    switch (random() % 6) {
        case 0:
            return "";
        case 1:
            return column == ColumnAzimuth ? kOrientationPresets[random() % 8]
                                           : kTiltPresets[random() % 3];
        default: {
            static const char* const kTexts[] = {"1",   "2,5", "3",  "4.75", "10",   "0",
                                                 "-45", "30",  "90", "12",   "1000", "0,3"};
            return kTexts[random() % std::size(kTexts)];
        }
    }
}

std::vector<Gesture> randomGestures(unsigned seed) {
    std::mt19937 random(seed);
    const int count = 1 + static_cast<int>(random() % 12);
    std::vector<Gesture> gestures;
    for (int i = 0; i < count; ++i) {
        Gesture g;
        switch (random() % 4) {
            case 0:
                g.kind = Gesture::Kind::Type;
                g.quantity = static_cast<QuantityId>(random() % kQuantityCount);
                g.text = randomFieldText(random);
                break;
            case 1:
                g.kind = Gesture::Kind::Click;
                g.quantity = static_cast<QuantityId>(random() % kQuantityCount);
                break;
            case 2:
                g.kind = Gesture::Kind::Cell;
                g.row = static_cast<int>(random() % 4);
                g.column = kFirstInputColumn + static_cast<int>(random() % 5);
                g.text = randomCellText(random, g.column);
                break;
            default:
                g.kind = Gesture::Kind::DeleteRow;
                g.row = static_cast<int>(random() % 3);
                break;
        }
        gestures.push_back(std::move(g));
    }
    return gestures;
}

// The table, top to bottom, the placeholder row included: the numbers the input cells stand
// for (the file keeps numbers, so an empty cell comes back as 0). Power and yield are computed
// like derived quantities and are not compared.
std::vector<std::string> tableTexts(OpeningState& s) {
    std::vector<std::string> texts;
    for (RowHandle row = s.table.firstRow(); row != kNoRow; row = s.table.nextRow(row)) {
        for (int column = kFirstInputColumn; column <= kLastInputColumn; ++column) {
            texts.push_back(std::to_string(readCellValue(s.table.cellText(row, column))));
        }
        texts.push_back(row == s.calculator.state().placeholderRow ? "(placeholder)" : "");
    }
    return texts;
}

// What differs between the state before the save and after the load; empty when nothing does.
std::string roundTripDifference(const std::vector<Gesture>& gestures) {
    OpeningState original;
    original.runPosted();
    original.calculator.refreshTick();
    for (const Gesture& g : gestures) {
        perform(original, g);
    }
    // Clearing one cell of a row recomputes nothing until the next solve, and a cell's display
    // form may differ from the number that was typed: the state is compared as the next solve
    // leaves it (the solve a table edit posts), which is what the load ends with too.
    original.calculator.solveFrom(Latitude);
    original.calculator.refreshTick();
    const std::string bytes = dataFileBytes(original.calculator);

    OpeningState loaded;
    if (applyDataFile(loaded.calculator, readDataFile(bytes)) != DataFileOutcome::Done) {
        return "the saved file did not load";
    }
    loaded.runPosted();
    loaded.calculator.refreshTick();

    std::ostringstream differences;
    const CalculatorState& a = original.calculator.state();
    const CalculatorState& b = loaded.calculator.state();
    for (int i = 0; i < kQuantityCount; ++i) {
        const auto q = static_cast<QuantityId>(i);
        if (a.preset[q] != b.preset[q]) {
            differences << quantityIdentifier(q) << ": Vorgabe " << a.preset[q] << " became "
                        << b.preset[q] << "\n";
        }
        if (a.derived[q] != b.derived[q]) {
            differences << quantityIdentifier(q) << ": derived " << a.derived[q] << " became "
                        << b.derived[q] << "\n";
        }
        if (original.fields.isPresetBoxChecked(q) != loaded.fields.isPresetBoxChecked(q) ||
            original.fields.isFieldReadOnly(q) != loaded.fields.isFieldReadOnly(q)) {
            differences << quantityIdentifier(q) << ": box or read-only state differs\n";
        }
        if (!a.derived[q] && original.fields.fieldText(q) != loaded.fields.fieldText(q)) {
            differences << quantityIdentifier(q) << ": \"" << original.fields.fieldText(q)
                        << "\" became \"" << loaded.fields.fieldText(q) << "\"\n";
        }
    }
    const std::vector<std::string> rowsBefore = tableTexts(original);
    const std::vector<std::string> rowsAfter = tableTexts(loaded);
    if (rowsBefore.size() != rowsAfter.size()) {
        differences << "the table had " << rowsBefore.size() / 6 << " rows and has "
                    << rowsAfter.size() / 6 << "\n";
    } else {
        for (std::size_t k = 0; k < rowsBefore.size(); ++k) {
            if (rowsBefore[k] != rowsAfter[k]) {
                differences << "row " << k / 6 << " column " << k % 6 + 1 << ": \"" << rowsBefore[k]
                            << "\" became \"" << rowsAfter[k] << "\"\n";
            }
        }
    }
    return differences.str();
}

TEST(DataFileRoundTrip, SeededRandomSequencesComeBackAsTheyWere) {
    constexpr unsigned kSequences = 400;
    int failures = 0;
    for (unsigned seed = 1; seed <= kSequences; ++seed) {
        const std::vector<Gesture> gestures = randomGestures(seed);
        const std::string difference = roundTripDifference(gestures);
        if (!difference.empty()) {
            ++failures;
            ADD_FAILURE() << "seed " << seed << ": " << describe(gestures) << "\n" << difference;
        }
        if (failures >= 10) {
            break;  // enough to read
        }
    }
}

Gesture typed(QuantityId q, const char* text) {
    return {Gesture::Kind::Type, q, 0, 0, text};
}
Gesture clicked(QuantityId q) {
    return {Gesture::Kind::Click, q, 0, 0, ""};
}
Gesture cellEdited(int row, int column, const char* text) {
    return {Gesture::Kind::Cell, Latitude, row, column, text};
}
Gesture rowDeleted(int row) {
    return {Gesture::Kind::DeleteRow, Latitude, row, 0, ""};
}

struct RegressionCase {
    const char* name;
    std::vector<Gesture> gestures;
};

class DataFileRoundTripRegression : public ::testing::TestWithParam<RegressionCase> {};

TEST_P(DataFileRoundTripRegression, ComesBackAsItWas) {
    EXPECT_EQ(roundTripDifference(GetParam().gestures), "") << describe(GetParam().gestures);
}

// Sequences that once came back changed.
INSTANTIATE_TEST_SUITE_P(
    Sequences, DataFileRoundTripRegression,
    ::testing::Values(
        // A free quantity with a relation guard: its partner's divisor is 0 during the load.
        RegressionCase{"UntickedConsumptionPer100km", {clicked(CarConsumptionPer100km)}},
        RegressionCase{"FreeChargingLossesTyped",
                       {clicked(CarConsumptionPer100km), typed(ChargingLosses, "24")}},
        // Partners computed from the rounded text of a free field.
        RegressionCase{
            "UntickedModuleWidth",
            {typed(PeakIrradiance, "-3"), clicked(ModuleWidth), typed(WaterPerPersonDay, "12000")}},
        RegressionCase{"TypedCarElectricityWithFreeConsumption",
                       {cellEdited(2, ColumnAzimuth, "12"), typed(FeedInTariff, "1"),
                        cellEdited(1, ColumnAzimuth, "12"), typed(FeedInTariff, "250"),
                        clicked(CarConsumptionPer100km), typed(CarElectricity, "12000"),
                        cellEdited(1, ColumnHeight, "0,3"), clicked(ModulePower), rowDeleted(1)}},
        // A free figure a relation computed beyond the quantity's limits.
        RegressionCase{
            "ComputedBeyondTheLimits",
            {typed(WaterPersons, "1.25"), typed(StorageCapacity, "4500"), rowDeleted(1),
             typed(ModuleHeight, "0.001"), rowDeleted(1), clicked(ModuleHeight),
             cellEdited(0, ColumnWidth, "(Flachdach)\u00A0 0°"), cellEdited(2, ColumnHeight, "90"),
             typed(CoolingLoadPerArea, "1.25"), rowDeleted(0)}},
        RegressionCase{"AllFieldRowsDeleted", {rowDeleted(0)}},
        RegressionCase{"HeatedAreaWithMoreDecimalsThanShown",
                       {clicked(HeatedArea), typed(HeatedArea, "1.25")}}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

// A table holds no more fields than a load reads back: typing into the placeholder row of a
// full table adds nothing, and a full table saved loads whole.
TEST(DataFileRoundTrip, AFullTableTakesNoFurtherFieldAndLoadsWhole) {
    std::string fields;
    for (int number = 1; number <= kMaxModuleFields; ++number) {
        fields += formatRowLine(number, ColumnWidth, 1) + formatRowLine(number, ColumnHeight, 2);
    }
    OpeningState full;
    ASSERT_EQ(applyDataFile(full.calculator, readDataFile(fields)), DataFileOutcome::Done);
    full.runPosted();
    ASSERT_EQ(full.table.rowCount(), kMaxModuleFields + 1);
    const RowHandle placeholder = full.calculator.state().placeholderRow;
    full.editCell(placeholder, ColumnWidth, "5");
    EXPECT_EQ(full.table.rowCount(), kMaxModuleFields + 1);
    EXPECT_EQ(full.calculator.state().placeholderRow, placeholder);
    EXPECT_EQ(full.table.cellText(placeholder, ColumnWidth), "");

    OpeningState loaded;
    ASSERT_EQ(applyDataFile(loaded.calculator, readDataFile(dataFileBytes(full.calculator))),
              DataFileOutcome::Done);
    loaded.runPosted();
    EXPECT_EQ(loaded.table.rowCount(), kMaxModuleFields + 1);

    // With one field fewer the placeholder row takes a field again.
    deleteRowCommand(full.calculator, full.table.firstRow());
    full.runPosted();
    full.editCell(placeholder, ColumnWidth, "5");
    EXPECT_EQ(full.table.rowCount(), kMaxModuleFields + 1);
    EXPECT_NE(full.calculator.state().placeholderRow, placeholder);
}

}  // namespace
}  // namespace lumetra
