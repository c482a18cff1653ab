// SPDX-License-Identifier: GPL-3.0-or-later
#include "persistence/DataFile.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "calculator/ModuleFieldEditing.h"
#include "energy/ModuleFieldColumns.h"
#include "energy/ModuleFieldRules.h"
#include "model/RelationLists.h"
#include "persistence/DataFileFormat.h"
#include "support/NamedCharacters.h"
#include "test_support/OpeningState.h"
#include "test_support/TestSupport.h"

namespace lumetra {
namespace {

using test::OpeningState;

// The field rows of the table (placeholder excluded) as the numbers of columns 1..5.
std::vector<std::array<double, 5>> fieldRows(OpeningState& s) {
    std::vector<std::array<double, 5>> rows;
    const RowHandle placeholder = s.calculator.state().placeholderRow;
    for (RowHandle row = s.table.firstRow(); row != kNoRow; row = s.table.nextRow(row)) {
        if (row == placeholder) {
            continue;
        }
        std::array<double, 5> cells{};
        for (int c = 1; c <= 5; ++c) {
            cells[c - 1] = readCellValue(s.table.cellText(row, c));
        }
        rows.push_back(cells);
    }
    return rows;
}

// A free quantity that a relation can compute while another of its members is not preset:
// every solve may settle it anew (the window's own focus-out solves do), so its value is a
// matter of the solve history, which a file does not hold.
bool solverMaySettle(const CalculatorState& state, int q) {
    if (state.preset[q] || state.derived[q]) {
        return false;
    }
    for (int f = 0; f < kRelationCount; ++f) {
        const auto role = kInvolvement[q][f];
        if (role == 0 || role == kInputOnly) {
            continue;
        }
        for (int other = 0; other < kQuantityCount; ++other) {
            if (other != q && kInvolvement[other][f] != 0 && !state.preset[other]) {
                return true;
            }
        }
    }
    return false;
}

bool placeholderIsLast(OpeningState& s) {
    const RowHandle placeholder = s.calculator.state().placeholderRow;
    return placeholder != kNoRow && s.table.rowAt(s.table.rowCount() - 1) == placeholder;
}

// Types a text into a cell as the user does: the edit ends with a changed text, the posted
// solve runs, then a refresh tick.
void editCell(OpeningState& s, int displayRow, int column, const std::string& text) {
    const RowHandle row = s.table.rowAt(displayRow);
    if (endCellEdit(s.calculator, row, column, &text, true)) {
        s.table.setCellText(row, column, text);
    }
    s.runPosted();
    s.calculator.refreshTick();
}

DataFileOutcome loadBytes(OpeningState& s, const std::string& bytes) {
    return applyDataFile(s.calculator, readDataFile(bytes));
}

struct RoundTripCase {
    const char* name;
    std::function<void(OpeningState&)> reach;
};

class RoundTripTest : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(RoundTripTest, SavedStateLoadsBackWhole) {
    OpeningState original;
    GetParam().reach(original);
    const std::string bytes = dataFileBytes(original.calculator);

    OpeningState loaded;
    ASSERT_EQ(loadBytes(loaded, bytes), DataFileOutcome::Done);

    const CalculatorState& a = original.calculator.state();
    const CalculatorState& b = loaded.calculator.state();
    for (int q = 0; q < kQuantityCount; ++q) {
        EXPECT_EQ(b.preset[q], a.preset[q]) << "Vorgabe of quantity " << q;
        EXPECT_EQ(b.derived[q], a.derived[q]) << "derived flag of quantity " << q;
        EXPECT_EQ(loaded.fields.isPresetBoxChecked(static_cast<QuantityId>(q)), a.preset[q]) << q;
        EXPECT_EQ(loaded.fields.isFieldReadOnly(static_cast<QuantityId>(q)), a.derived[q]) << q;
        if (!a.derived[q] && !solverMaySettle(a, q)) {
            EXPECT_TRUE(test::nearRelative(b.values[q], a.values[q], 1e-6))
                << "value of quantity " << q;
        }
    }
    const auto rowsA = fieldRows(original);
    const auto rowsB = fieldRows(loaded);
    ASSERT_EQ(rowsB.size(), rowsA.size());
    for (std::size_t r = 0; r < rowsA.size(); ++r) {
        for (int c = 0; c < 5; ++c) {
            EXPECT_NEAR(rowsB[r][c], rowsA[r][c], 0.005) << "row " << r + 1 << " column " << c + 1;
        }
    }
    EXPECT_TRUE(placeholderIsLast(loaded));
}

INSTANTIATE_TEST_SUITE_P(
    DataFile, RoundTripTest,
    ::testing::Values(
        RoundTripCase{"OpeningState", [](OpeningState&) {}},
        RoundTripCase{"TypedValues",
                      [](OpeningState& s) {
                          s.type(Latitude, "52.52");
                          s.type(Longitude, "13.405");
                          s.type(Persons, "3");
                          s.type(WaterPersons, "2");
                          s.type(WaterPerPersonDay, "40");
                          s.type(CarDistance, "12000");
                          s.type(StorageDays, "1.5");
                      }},
        RoundTripCase{"AreaPresetReleasesWidth",
                      [](OpeningState& s) { s.calculator.onPresetBoxClicked(ModuleArea); }},
        RoundTripCase{"WaterPerYearAndWaterElectricity",
                      [](OpeningState& s) {
                          s.calculator.onPresetBoxClicked(WaterPerYear);
                          s.calculator.onPresetBoxClicked(WaterElectricity);
                          s.type(WaterPerYear, "90");
                      }},
        RoundTripCase{"PowerUnticked",
                      [](OpeningState& s) { s.calculator.onPresetBoxClicked(ModulePower); }},
        RoundTripCase{"HouseholdElectricityPreset",
                      [](OpeningState& s) {
                          s.calculator.onPresetBoxClicked(HouseholdElectricity);
                          s.type(HouseholdElectricity, "4100");
                      }},
        RoundTripCase{"SeveralFieldsWithPresetTexts",
                      [](OpeningState& s) {
                          editCell(s, 1, ColumnWidth, "3");
                          editCell(s, 1, ColumnHeight, "4,5");
                          editCell(s, 1, ColumnAzimuth, kOrientationPresets[2]);
                          editCell(s, 1, ColumnTilt, kTiltPresets[2]);
                          editCell(s, 2, ColumnArea, "12");
                          editCell(s, 2, ColumnHeight, "3");
                      }},
        RoundTripCase{"MoreThanHundredFieldRows",
                      [](OpeningState& s) {
                          for (int r = 1; r <= 140; ++r) {
                              editCell(s, r, ColumnWidth, std::to_string(r));
                              editCell(s, r, ColumnHeight, "2");
                              editCell(s, r, ColumnTilt, std::to_string(r % 91));
                          }
                      }},
        RoundTripCase{"NoFieldRows",
                      [](OpeningState& s) {
                          deleteRowCommand(s.calculator, s.table.rowAt(0));
                          s.runPosted();
                      }}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(DataFileLoad, FileWithoutRecognisedLineEmptiesTableAndKeepsQuantities) {
    OpeningState s;
    const auto values = s.calculator.state().values;
    const auto presets = s.calculator.state().preset;
    EXPECT_EQ(loadBytes(s, "Hallo Welt\nBreitengrad 47\n"), DataFileOutcome::WrongFormat);
    EXPECT_EQ(dataFileMessage(DataFileOutcome::WrongFormat), "Die Datei hat das falsche Format !");
    EXPECT_EQ(s.table.rowCount(), 1);
    EXPECT_TRUE(placeholderIsLast(s));
    EXPECT_EQ(s.calculator.state().preset, presets);
    for (int q = 0; q < kQuantityCount; ++q) {
        if (!s.calculator.state().derived[q]) {
            EXPECT_EQ(s.calculator.state().values[q], values[q]) << q;
        }
    }
}

struct RowOrderCase {
    const char* name;
    std::string file;
    std::vector<double> widths;  // of the field rows, top to bottom
};

class RowOrderTest : public ::testing::TestWithParam<RowOrderCase> {};

TEST_P(RowOrderTest, RowsFollowTheirNumbersAndPlaceholderStaysLast) {
    OpeningState s;
    loadBytes(s, GetParam().file);
    std::vector<double> widths;
    for (const auto& row : fieldRows(s)) {
        widths.push_back(row[0]);
    }
    EXPECT_EQ(widths, GetParam().widths);
    EXPECT_TRUE(placeholderIsLast(s));
}

INSTANTIATE_TEST_SUITE_P(
    DataFileLoad, RowOrderTest,
    ::testing::Values(
        RowOrderCase{"Ascending", "[1] Modulfeldbreite = 1\n[2] Modulfeldbreite = 2\n", {1, 2}},
        RowOrderCase{"WithGaps",
                     "[1] Modulfeldbreite = 1\n[2] Modulfeldbreite = 2\n[5] Modulfeldbreite = 5\n",
                     {1, 2, 5}},
        RowOrderCase{"Descending",
                     "[3] Modulfeldbreite = 3\n[2] Modulfeldbreite = 2\n[1] Modulfeldbreite = 1\n",
                     {1, 2, 3}},
        RowOrderCase{"SameRowTwoWritings", "[3] Modulfeldbreite = 3\n[03] Modulwinkel = 30\n", {3}},
        RowOrderCase{
            "HighestKeptNumber", "[10000] Modulfeldbreite = 7\n[10001] Modulfeldbreite = 8\n", {7}},
        RowOrderCase{"ColumnWithoutRowNumber", "Modulfeldbreite = 7\n", {}}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(DataFileLoad, LoadedRowsAreCompletedAndFormatted) {
    OpeningState s;
    loadBytes(s, "[01] Modulfeldbreite = 5\n[01] Modulfeldhöhe = 2\n[01] Modulwinkel = 95\n");
    const RowHandle row = s.table.rowAt(0);
    EXPECT_EQ(readCellValue(s.table.cellText(row, ColumnArea)), 10);
    EXPECT_EQ(s.table.cellText(row, ColumnWidth), "5.00 m ");
    EXPECT_EQ(s.table.cellText(row, ColumnTilt), "95 ° ");
    EXPECT_TRUE(s.table.cellBackground(row, ColumnTilt).has_value());
}

TEST(DataFileLoad, OverDeterminingMarksKeepEveryValueOfTheFile) {
    // Width, height and area all marked close relation 1; the toggles release presets on the
    // way, yet the latitude and the other values of the file must reach their fields.
    OpeningState s;
    const std::string file =
        formatQuantityLine(Latitude, 50.25, true) + formatQuantityLine(ModuleWidth, 1.1, true) +
        formatQuantityLine(ModuleHeight, 1.7, true) + formatQuantityLine(ModuleArea, 1.87, true) +
        formatQuantityLine(Persons, 3, false);
    loadBytes(s, file);
    EXPECT_EQ(s.value(Latitude), 50.25);
    EXPECT_EQ(s.fields.fieldText(Latitude), "50.250000");
    EXPECT_TRUE(s.calculator.state().preset[Latitude]);
    EXPECT_EQ(s.value(Persons), 3);
}

TEST(DataFileLoad, YieldStaysDerivedWhenNoToggleFollows) {
    OpeningState s;
    ASSERT_TRUE(s.calculator.state().derived[AnnualYield]);
    // Rows only: no quantity is read, so no Vorgabe changes.
    loadBytes(s, "[01] Modulfeldbreite = 4\n[01] Modulfeldhöhe = 3\n");
    EXPECT_TRUE(s.calculator.state().derived[AnnualYield]);
    EXPECT_TRUE(s.fields.isFieldReadOnly(AnnualYield));
    EXPECT_GT(s.value(AnnualYield), 0);
}

TEST(DataFileLoad, MarksTheWindowCannotSetAreIgnoredAndTheLoadEnds) {
    OpeningState s;
    const std::string file = formatQuantityLine(PeakIrradiance, 900, true) +
                             formatQuantityLine(AnnualYield, 5000, true) +
                             formatQuantityLine(SelfConsumption, 100, true) +
                             formatQuantityLine(SolarPower, 100, true) +
                             formatQuantityLine(StorageDays, 2, true);
    loadBytes(s, file);
    const CalculatorState& state = s.calculator.state();
    EXPECT_FALSE(state.preset[PeakIrradiance]);
    EXPECT_FALSE(state.preset[AnnualYield]);
    EXPECT_FALSE(state.preset[SelfConsumption]);
    EXPECT_FALSE(state.preset[SolarPower]);
    EXPECT_TRUE(state.preset[StorageDays]);
    EXPECT_EQ(s.value(StorageDays), 2);
}

TEST(DataFileLoad, UnmarkedQuantityLosesItsVorgabe) {
    OpeningState s;
    ASSERT_TRUE(s.calculator.state().preset[CarDistance]);
    loadBytes(s, formatQuantityLine(CarDistance, 5000, false));
    EXPECT_FALSE(s.calculator.state().preset[CarDistance]);
    EXPECT_FALSE(s.fields.isPresetBoxChecked(CarDistance));
    EXPECT_EQ(s.value(CarDistance), 5000);
}

TEST(DataFileLoad, RowsWithoutQuantityLinesGetTheirYieldAndTotals) {
    // The same rows made by editing the table, for the figures they must give.
    OpeningState edited;
    editCell(edited, 0, ColumnWidth, "4");
    editCell(edited, 0, ColumnHeight, "3");

    OpeningState s;
    ASSERT_EQ(loadBytes(s,
                        "[01] Modulfeldbreite = 4\n[01] Modulfeldhöhe = 3\n"
                        "[01] Modulausrichtung = 0\n[01] Modulwinkel = 30\n"),
              DataFileOutcome::Done);
    s.runPosted();
    const CalculatorState& state = s.calculator.state();
    EXPECT_EQ(state.values[SolarArea], 12);
    EXPECT_EQ(state.figures.totalModuleArea, 12);
    EXPECT_TRUE(test::nearRelative(state.values[AnnualYield], edited.value(AnnualYield)));
    EXPECT_TRUE(test::nearRelative(state.values[SolarPower], edited.value(SolarPower)));
    EXPECT_TRUE(test::nearRelative(state.figures.monthlyYield[5],
                                   edited.calculator.state().figures.monthlyYield[5]));
    EXPECT_EQ(s.table.cellText(s.table.rowAt(0), ColumnPower),
              edited.table.cellText(edited.table.rowAt(0), ColumnPower));
}

TEST(DataFileLoad, OutOfLimitInputIsLimitedAsItsSolveLimitsIt) {
    OpeningState s;
    loadBytes(s, formatQuantityLine(Latitude, 95, true));
    EXPECT_EQ(s.value(Latitude), 90);
    EXPECT_EQ(s.fields.fieldText(Latitude), "90.000000");
}

TEST(DataFileSave, PresetTextOfACellIsSavedAsItsAngle) {
    OpeningState s;
    s.table.setCellText(s.table.rowAt(0), ColumnTilt, kTiltPresets[2]);
    const std::string bytes = dataFileBytes(s.calculator);
    EXPECT_NE(bytes.find("[01] Modulwinkel            =          90.000000 \xB0"),
              std::string::npos);
}

// --- Files on disk ---

std::string contentOf(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void writeContent(const std::filesystem::path& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

std::vector<std::string> namesIn(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(DataFileOnDisk, SaveThenLoadThroughTheFile) {
    test::TemporaryFolder folder;
    OpeningState original;
    original.type(Latitude, "48.3");
    const auto path = folder.path() / "anlage.lumet";
    EXPECT_EQ(saveDataFile(original.calculator, path), DataFileOutcome::Done);
    EXPECT_EQ(contentOf(path), dataFileBytes(original.calculator));
    EXPECT_EQ(namesIn(folder.path()), std::vector<std::string>{"anlage.lumet"});

    OpeningState loaded;
    EXPECT_EQ(loadDataFile(loaded.calculator, path), DataFileOutcome::Done);
    EXPECT_EQ(loaded.value(Latitude), 48.3);
}

TEST(DataFileOnDisk, SaveReplacesAnExistingFileAndKeepsItsPermissions) {
    namespace fs = std::filesystem;
    test::TemporaryFolder folder;
    const auto path = folder.path() / "alt.lumet";
    writeContent(path, "old content that is much longer than nothing\n");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    OpeningState s;
    EXPECT_EQ(saveDataFile(s.calculator, path), DataFileOutcome::Done);
    EXPECT_EQ(contentOf(path), dataFileBytes(s.calculator));
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(namesIn(folder.path()), std::vector<std::string>{"alt.lumet"});
}

struct SaveFailureCase {
    const char* name;
    // Prepares the folder and returns the target path.
    std::function<std::filesystem::path(const std::filesystem::path& folder)> prepare;
    bool needsPermissions;  // cannot fail for root, who may write anywhere
};

class SaveFailureTest : public ::testing::TestWithParam<SaveFailureCase> {};

TEST_P(SaveFailureTest, ReportsAndLeavesEveryFileIntact) {
    namespace fs = std::filesystem;
    if (GetParam().needsPermissions && ::geteuid() == 0) {
        GTEST_SKIP() << "root may write into read-only folders and files";
    }
    test::TemporaryFolder folder;
    writeContent(folder.path() / "other.lumet", "other file\n");
    const fs::path target = GetParam().prepare(folder.path());

    std::map<fs::path, std::string> before;
    for (const auto& entry : fs::recursive_directory_iterator(folder.path())) {
        if (entry.is_regular_file()) {
            before[entry.path()] = contentOf(entry.path());
        }
    }
    OpeningState s;
    EXPECT_EQ(saveDataFile(s.calculator, target), DataFileOutcome::SaveFailed);
    EXPECT_EQ(dataFileMessage(DataFileOutcome::SaveFailed),
              "Die Datei konnte nicht gespeichert werden !");

    std::map<fs::path, std::string> after;
    for (const auto& entry : fs::recursive_directory_iterator(folder.path())) {
        if (entry.is_regular_file()) {
            after[entry.path()] = contentOf(entry.path());
        }
    }
    EXPECT_EQ(after, before);
    // Let the folder be removed.
    for (const auto& entry : fs::recursive_directory_iterator(folder.path())) {
        fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add);
    }
}

INSTANTIATE_TEST_SUITE_P(
    DataFileOnDisk, SaveFailureTest,
    ::testing::Values(
        SaveFailureCase{"OntoAFolder",
                        [](const std::filesystem::path& folder) {
                            std::filesystem::create_directory(folder / "daten.lumet");
                            writeContent(folder / "daten.lumet" / "inside.txt", "inside\n");
                            return folder / "daten.lumet";
                        },
                        false},
        SaveFailureCase{
            "IntoAMissingFolder",
            [](const std::filesystem::path& folder) { return folder / "fehlt" / "daten.lumet"; },
            false},
        SaveFailureCase{"OntoAReadOnlyFileInAReadOnlyFolder",
                        [](const std::filesystem::path& folder) {
                            namespace fs = std::filesystem;
                            fs::create_directory(folder / "gesperrt");
                            const auto file = folder / "gesperrt" / "daten.lumet";
                            writeContent(file, "keep me\n");
                            fs::permissions(file, fs::perms::owner_read);
                            fs::permissions(folder / "gesperrt",
                                            fs::perms::owner_read | fs::perms::owner_exec);
                            return file;
                        },
                        true},
        SaveFailureCase{"OntoAReadOnlyFile",
                        [](const std::filesystem::path& folder) {
                            const auto file = folder / "schreibgeschuetzt.lumet";
                            writeContent(file, "keep me\n");
                            std::filesystem::permissions(file, std::filesystem::perms::owner_read);
                            return file;
                        },
                        true}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

struct LoadFailureCase {
    const char* name;
    std::function<std::filesystem::path(const std::filesystem::path& folder)> prepare;
};

class LoadFailureTest : public ::testing::TestWithParam<LoadFailureCase> {};

TEST_P(LoadFailureTest, ReportsNotFoundAndChangesNothing) {
    test::TemporaryFolder folder;
    OpeningState s;
    const std::string before = dataFileBytes(s.calculator);
    EXPECT_EQ(loadDataFile(s.calculator, GetParam().prepare(folder.path())),
              DataFileOutcome::NotFound);
    EXPECT_EQ(dataFileMessage(DataFileOutcome::NotFound), "Die Datei wurde nicht gefunden !");
    EXPECT_EQ(dataFileBytes(s.calculator), before);
    EXPECT_EQ(s.table.rowCount(), 2);
}

INSTANTIATE_TEST_SUITE_P(
    DataFileOnDisk, LoadFailureTest,
    ::testing::Values(
        LoadFailureCase{"MissingFile",
                        [](const std::filesystem::path& folder) { return folder / "fehlt.lumet"; }},
        LoadFailureCase{"AFolder", [](const std::filesystem::path& folder) { return folder; }},
        // Opens, but every read of it fails.
        LoadFailureCase{
            "AFileThatCannotBeRead",
            [](const std::filesystem::path&) { return std::filesystem::path("/proc/self/mem"); }}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

}  // namespace
}  // namespace lumetra
