// SPDX-License-Identifier: GPL-3.0-or-later
#include "energy/ModuleFieldRules.h"

#include <gtest/gtest.h>

#include <string>

#include "energy/ModuleFieldColumns.h"
#include "energy/RecordingTable.h"
#include "support/NamedCharacters.h"

namespace lumetra {
namespace {

using test::RecordingTable;

std::string withNoBreakSpace(std::string_view label, std::string_view value) {
    return std::string(label) + std::string(kNoBreakSpace) + std::string(value);
}

struct ParseCase {
    const char* name;
    std::string text;
    double expected;
};

class ParseLeadingNumberCases : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseLeadingNumberCases, ReadsLeadingNumber) {
    EXPECT_DOUBLE_EQ(ParseLeadingNumber(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseLeadingNumberCases,
    ::testing::Values(
        ParseCase{"DecimalComma", "5,5 m", 5.5}, ParseCase{"DisplayForm", "5.50 m ", 5.5},
        ParseCase{"GroupedInteger", "1 000", 1000},
        ParseCase{"GroupedDisplayForm", "1 000.00 m ", 1000},
        ParseCase{"GroupedMillion", "1 000 000.00 m\u00B2 ", 1000000},
        ParseCase{"NegativeAngle", "-90 \u00B0 ", -90}, ParseCase{"NotANumber", "abc", 0},
        ParseCase{"Empty", "", 0}, ParseCase{"LeadingBlanksAndTab", " \t 12", 12},
        ParseCase{"PlusSign", "+7", 7}, ParseCase{"BlanksAfterSign", "-  3.5", -3.5},
        ParseCase{"SignOnly", "-", 0}, ParseCase{"PointOnly", ".", 0},
        ParseCase{"NoIntegerDigits", ",25", 0.25}, ParseCase{"TrailingPoint", "7.", 7},
        ParseCase{"NoExponent", "1e3", 1}, ParseCase{"TwoBlanksEndTheNumber", "1  000", 1},
        ParseCase{"BlankBeforeUnitIsNoGroup", "12 m", 12},
        ParseCase{"NoBlankGroupsInFraction", "1.5 5", 1.5},
        ParseCase{"SecondPointStops", "1.2.3", 1.2},
        ParseCase{"PresetTextHasNoLeadingNumber", "(Westen)\u00A0  90\u00B0", 0},
        ParseCase{"OnlyFirst63CharactersCount", std::string(62, '0') + "12", 1},
        ParseCase{"DegreeDirectlyAfterNumber", "45\u00B0", 45}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

struct CellValueCase {
    const char* name;
    std::string text;
    double expected;
};

class ReadCellValueCases : public ::testing::TestWithParam<CellValueCase> {};

TEST_P(ReadCellValueCases, ReadsNumberOfCell) {
    EXPECT_DOUBLE_EQ(readCellValue(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ReadCellValueCases,
    ::testing::Values(
        CellValueCase{"WestPresetWithTwoBlanks", withNoBreakSpace("(Westen)", "  90\u00B0"), 90},
        CellValueCase{"SouthPresetIsZero", withNoBreakSpace("(S\u00FCden)", " 0\u00B0"), 0},
        CellValueCase{"NorthEastPresetNegative", withNoBreakSpace("(Nordosten)", " -135\u00B0"),
                      -135},
        CellValueCase{"RoofTiltPreset", withNoBreakSpace("(Normaldach)", " 30\u00B0"), 30},
        CellValueCase{"PlainZero", "0", 0},
        CellValueCase{"PlainNumberIgnoresLaterSpace", withNoBreakSpace("12", " 30"), 12},
        CellValueCase{"ZeroRetriesAfterSpace", withNoBreakSpace("0", " 30"), 30},
        CellValueCase{"NoSpaceStaysZero", "(Westen) 90", 0}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

struct DerivedTextCase {
    const char* name;
    double value;
    const char* expected;
};

class FormatDerivedValueCases : public ::testing::TestWithParam<DerivedTextCase> {};

TEST_P(FormatDerivedValueCases, WritesSixSignificantDigitsWithoutExponent) {
    EXPECT_EQ(formatDerivedValue(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, FormatDerivedValueCases,
    ::testing::Values(DerivedTextCase{"Integer", 10, "10"}, DerivedTextCase{"Fraction", 1.6, "1.6"},
                      DerivedTextCase{"OneMillion", 1000000, "1000000"},
                      DerivedTextCase{"SmallFraction", 0.000025, "0.000025"},
                      DerivedTextCase{"TinyFraction", 1.5e-7, "0.00000015"},
                      DerivedTextCase{"LargeRoundsToSixDigits", 123456789, "123457000"},
                      DerivedTextCase{"SixSignificantDigits", 1.23456789, "1.23457"},
                      DerivedTextCase{"RoundingCarriesIntoNewDigit", 999999.7, "1000000"},
                      DerivedTextCase{"BinaryNoiseDropped", 0.1 + 0.2, "0.3"},
                      DerivedTextCase{"Negative", -2.5, "-2.5"}, DerivedTextCase{"Zero", 0.0, "0"},
                      DerivedTextCase{"NegativeZeroIsZero", -0.0, "0"},
                      DerivedTextCase{"Third", 10.0 / 3.0, "3.33333"}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(FormatDerivedValueRoundTrip, ParsesBackToSixSignificantDigits) {
    for (double value = 1e-6; value < 1e9; value *= 1.7) {
        const double back = ParseLeadingNumber(formatDerivedValue(value));
        EXPECT_NEAR(back, value, value * 5e-6) << formatDerivedValue(value);
    }
}

// A row before and after completeModuleFieldRow: texts of Breite, Höhe, Fläche.
struct CompletionCase {
    const char* name;
    const char* width;
    const char* height;
    const char* area;
    int mode;
    const char* newText;  // the edited column's new text, not yet stored
    const char* expectedWidth;
    const char* expectedHeight;
    const char* expectedArea;
    int expectedWrites;
};

class CompleteModuleFieldRowCases : public ::testing::TestWithParam<CompletionCase> {};

TEST_P(CompleteModuleFieldRowCases, DerivesMissingMeasure) {
    const CompletionCase& c = GetParam();
    RecordingTable table;
    const RowHandle row = table.addRow(c.width, c.height, c.area, "0", "30");
    completeModuleFieldRow(table, row, c.mode, c.newText);
    EXPECT_EQ(table.cellText(row, ColumnWidth), c.expectedWidth);
    EXPECT_EQ(table.cellText(row, ColumnHeight), c.expectedHeight);
    EXPECT_EQ(table.cellText(row, ColumnArea), c.expectedArea);
    EXPECT_EQ(static_cast<int>(table.writes.size()), c.expectedWrites);
    EXPECT_EQ(table.cellText(row, ColumnAzimuth), "0");
    EXPECT_EQ(table.cellText(row, ColumnTilt), "30");
}

// In the cases where the user edited a column, that column still holds its old text: the
// table stores the new one only after the completion.
INSTANTIATE_TEST_SUITE_P(
    Rows, CompleteModuleFieldRowCases,
    ::testing::Values(
        CompletionCase{"CompleteWritesArea", "5", "2", "", -1, "", "5", "2", "10", 1},
        CompletionCase{"CompleteLeavesMatchingArea", "5", "2", "10", -1, "", "5", "2", "10", 0},
        CompletionCase{"CompleteKeepsTextOfEqualValue", "5", "2", "10.00 m\u00B2 ", -1, "", "5",
                       "2", "10.00 m\u00B2 ", 0},
        CompletionCase{"CompleteOverwritesMismatchedArea", "5", "2", "11", -1, "", "5", "2", "10",
                       1},
        CompletionCase{"CompleteAfterAreaEdit", "5", "1.6", "8", -1, "", "5", "1.6", "8", 0},
        CompletionCase{"CompleteWidthFromAreaAndHeight", "", "4", "12", -1, "", "3", "4", "12", 1},
        CompletionCase{"CompleteHeightFromAreaAndWidth", "3", "", "12", -1, "", "3", "4", "12", 1},
        CompletionCase{"CompleteEmptyHeightStaysEmptyWhenAreaEmpty", "3", "", "", -1, "", "3", "",
                       "", 0},
        CompletionCase{"CompleteNothingFromAreaAlone", "", "", "12", -1, "", "", "", "12", 0},
        CompletionCase{"CompleteNegativeAreaGivesNothing", "3", "", "-5", -1, "", "3", "", "-5", 0},
        CompletionCase{"CompleteOneMillionSquareMetres", "1000", "1000", "", -1, "", "1000", "1000",
                       "1000000", 1},
        CompletionCase{"AreaEditedDerivesHeight", "5", "2", "10", ColumnArea, "8", "5", "1.6", "10",
                       1},
        CompletionCase{"WidthEditedDerivesArea", "5", "2", "10", ColumnWidth, "4", "5", "2", "8",
                       1},
        CompletionCase{"HeightEditedDerivesWidth", "", "", "12", ColumnHeight, "3", "4", "", "12",
                       1},
        CompletionCase{"HeightEditedDerivesArea", "5", "", "", ColumnHeight, "3", "5", "", "15", 1},
        CompletionCase{"WidthEditedIntoFreshRowGivesZeroHeight", "", "", "", ColumnWidth, "3", "",
                       "0", "", 1},
        CompletionCase{"AreaRetypedAloneDerivesNothing", "", "", "12", ColumnArea, "12", "", "",
                       "12", 0},
        CompletionCase{"AreaEditedWithHeightOnlyDerivesWidth", "", "4", "", ColumnArea, "10", "2.5",
                       "4", "", 1},
        CompletionCase{"WidthEditedToZeroDerivesNothing", "5", "2", "10", ColumnWidth, "0", "5",
                       "2", "10", 0},
        CompletionCase{"WidthEditedToTextDerivesNothing", "5", "2", "10", ColumnWidth, "abc", "5",
                       "2", "10", 0},
        CompletionCase{"WidthEditedWithNegativeAreaDerivesNothing", "", "", "-3", ColumnWidth, "2",
                       "", "", "-3", 0},
        CompletionCase{"AzimuthEditedDerivesNothing", "5", "2", "", ColumnAzimuth, "90", "5", "2",
                       "", 0},
        CompletionCase{"TiltEditedDerivesNothing", "5", "2", "", ColumnTilt, "45", "5", "2", "", 0},
        CompletionCase{"LargeAreaTypedDerivesPlainHeight", "1", "", "", ColumnArea, "2500000", "1",
                       "2500000", "", 1},
        CompletionCase{"TinyHeightDerivedWithoutExponent", "", "", "0.0001", ColumnWidth, "4", "",
                       "0.000025", "0.0001", 1}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

// The area of exactly one million square metres must survive being written and read back.
TEST(CompleteModuleFieldRow, DerivedMillionReadsBackAsMillion) {
    RecordingTable table;
    const RowHandle row = table.addRow("1000", "1000", "");
    completeModuleFieldRow(table, row, -1, {});
    EXPECT_DOUBLE_EQ(readCellValue(table.cellText(row, ColumnArea)), 1000000.0);
    table.writes.clear();
    completeModuleFieldRow(table, row, -1, {});
    EXPECT_TRUE(table.writes.empty());
}

struct DisplayCase {
    const char* name;
    int column;
    std::string text;
    const char* expected;
    bool outOfRange;
};

class FormatModuleFieldRowsCases : public ::testing::TestWithParam<DisplayCase> {};

TEST_P(FormatModuleFieldRowsCases, WritesDisplayFormAndColour) {
    const DisplayCase& c = GetParam();
    RecordingTable table;
    const RowHandle even = table.inner.insertRow(RowPosition::Last);
    const RowHandle odd = table.inner.insertRow(RowPosition::Last);
    const RowHandle placeholder = table.inner.insertRow(RowPosition::Last);
    table.inner.setCellText(even, c.column, c.text);
    table.inner.setCellText(odd, c.column, c.text);

    formatModuleFieldRows(table, placeholder);

    EXPECT_EQ(table.cellText(even, c.column), c.expected);
    EXPECT_EQ(table.cellText(odd, c.column), c.expected);
    if (c.outOfRange) {
        EXPECT_EQ(table.inner.cellBackground(even, c.column), (Rgb{255, 244, 244}));
        EXPECT_EQ(table.inner.cellBackground(odd, c.column), (Rgb{255, 233, 233}));
    } else {
        EXPECT_EQ(table.inner.cellBackground(even, c.column), std::nullopt);
        EXPECT_EQ(table.inner.cellBackground(odd, c.column), std::nullopt);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cells, FormatModuleFieldRowsCases,
    ::testing::Values(
        DisplayCase{"WidthTyped", ColumnWidth, "5", "5.00 m ", false},
        DisplayCase{"WidthWithComma", ColumnWidth, "5,5", "5.50 m ", false},
        DisplayCase{"HeightGrouped", ColumnHeight, "1234.5", "1 234.50 m ", true},
        DisplayCase{"HeightUpperBoundIncluded", ColumnHeight, "1000", "1 000.00 m ", false},
        DisplayCase{"WidthNegative", ColumnWidth, "-1", "-1.00 m ", true},
        DisplayCase{"AreaMillionInRange", ColumnArea, "1000000", "1 000 000.00 m\u00B2 ", false},
        DisplayCase{"AreaAboveMillion", ColumnArea, "1000000.5", "1 000 000.50 m\u00B2 ", true},
        DisplayCase{"AreaDisplayFormStable", ColumnArea, "10.00 m\u00B2 ", "10.00 m\u00B2 ", false},
        DisplayCase{"AzimuthPreset", ColumnAzimuth, withNoBreakSpace("(Westen)", "  90\u00B0"),
                    "90 \u00B0 ", false},
        DisplayCase{"AzimuthNorthWestBoundIncluded", ColumnAzimuth, "-180", "-180 \u00B0 ", false},
        DisplayCase{"AzimuthNorthBoundIncluded", ColumnAzimuth, "180", "180 \u00B0 ", false},
        DisplayCase{"AzimuthBeyondNorth", ColumnAzimuth, "181", "181 \u00B0 ", true},
        DisplayCase{"TiltSteeperThanWall", ColumnTilt, "95", "95 \u00B0 ", true},
        DisplayCase{"TiltPreset", ColumnTilt, withNoBreakSpace("(Hauswand)", " 90\u00B0"),
                    "90 \u00B0 ", false},
        DisplayCase{"TiltNotANumberReadsZero", ColumnTilt, "steil", "0 \u00B0 ", false}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(FormatModuleFieldRows, LeavesPlaceholderAndEmptyCellsAlone) {
    RecordingTable table;
    const RowHandle field = table.addRow("5", "", "", "0", "30");
    const RowHandle placeholder = table.inner.insertRow(RowPosition::Last);
    const Rgb marked{1, 2, 3};
    table.inner.setCellBackground(field, ColumnHeight, marked);
    table.inner.setCellText(placeholder, ColumnWidth, "2000");

    formatModuleFieldRows(table, placeholder);

    EXPECT_EQ(table.cellText(field, ColumnHeight), "");
    EXPECT_EQ(table.inner.cellBackground(field, ColumnHeight), marked);
    EXPECT_EQ(table.cellText(placeholder, ColumnWidth), "2000");
    EXPECT_EQ(table.inner.cellBackground(placeholder, ColumnWidth), std::nullopt);
    for (const auto& [row, column] : table.writes) {
        EXPECT_NE(row, placeholder);
        EXPECT_GE(column, ColumnWidth);
        EXPECT_LE(column, ColumnTilt);
    }
}

TEST(FormatModuleFieldRows, ValueBackInRangeRestoresDefaultBackground) {
    RecordingTable table;
    const RowHandle field = table.addRow("", "", "", "", "95");
    formatModuleFieldRows(table, kNoRow);
    ASSERT_TRUE(table.inner.cellBackground(field, ColumnTilt).has_value());
    table.inner.setCellText(field, ColumnTilt, "45");
    formatModuleFieldRows(table, kNoRow);
    EXPECT_EQ(table.inner.cellBackground(field, ColumnTilt), std::nullopt);
    EXPECT_EQ(table.cellText(field, ColumnTilt), "45 \u00B0 ");
}

}  // namespace
}  // namespace lumetra
