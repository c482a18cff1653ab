// SPDX-License-Identifier: GPL-3.0-or-later
#include "persistence/DataFileReader.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <string>

#include "persistence/DataFileFormat.h"
#include "support/Windows1252.h"

namespace lumetra {
namespace {

// The reading of a single line.
DataFileReading readOne(const std::string& line) {
    return readDataFile(line);
}

struct QuantityLineCase {
    const char* name;
    std::string text;  // UTF-8 unless noted
    int quantity;      // -1: no quantity is read
    double value;
    bool marked;
};

class QuantityLineTest : public ::testing::TestWithParam<QuantityLineCase> {};

TEST_P(QuantityLineTest, GoesToItsQuantity) {
    const QuantityLineCase& c = GetParam();
    const DataFileReading reading = readOne(c.text);
    for (int q = 0; q < kQuantityCount; ++q) {
        EXPECT_EQ(reading.read[q], q == c.quantity) << "quantity " << q;
    }
    if (c.quantity >= 0) {
        EXPECT_DOUBLE_EQ(reading.value[c.quantity], c.value);
        EXPECT_EQ(reading.marked[c.quantity], c.marked);
    }
    EXPECT_TRUE(reading.rows.empty());
}

INSTANTIATE_TEST_SUITE_P(
    DataFileReader, QuantityLineTest,
    ::testing::Values(
        QuantityLineCase{"WrittenLine",
                         "Breitengrad                 =          47.500000 °       \n", 0, 47.5,
                         false},
        QuantityLineCase{"MarkedLine",
                         "Globalstrahlung             =        1100.000000 kWh/m²    *\n", 2, 1100,
                         true},
        QuantityLineCase{"ContainedNameIsNotTheLongerOne",
                         "Globalstrahlung max.        =        1000.000000 kW/m²   \n", 3, 1000,
                         false},
        QuantityLineCase{"PriceNameIsNotTheShorterOne", "Preis Strombezug = 12.5 Euro", 39, 12.5,
                         false},
        QuantityLineCase{"ShorterNameIsNotThePriceOne", "Strombezug = 12.5 kWh", 36, 12.5, false},
        QuantityLineCase{"CommaEndsTheNumber", "Breitengrad = 47,5", 0, 47, false},
        QuantityLineCase{"ExponentAccepted", "Fahrleistung = 1.5e4 km", 27, 15000, false},
        QuantityLineCase{"SignAccepted", "Breitengrad = -33.25", 0, -33.25, false},
        QuantityLineCase{"NoNumberGivesZero", "Breitengrad = abc", 0, 0, false},
        QuantityLineCase{"CarriageReturnHarmless", "Breitengrad = 47.5 °\r\n", 0, 47.5, false},
        QuantityLineCase{"LeadingBlanksAndTabs", " \t Breitengrad=47.5", 0, 47.5, false},
        QuantityLineCase{"RowPrefixOnQuantitySetsIt", "[02] Breitengrad = 48", 0, 48, false},
        QuantityLineCase{"YieldWithoutPrefixIsTheQuantity", "Ertrag = 5000 kWh", 11, 5000, false},
        QuantityLineCase{"WaterPerDayByUnit", "Wasserverbrauch = 60 l/Tag", 15, 60, false},
        QuantityLineCase{"WaterPerYearByUnit", "Wasserverbrauch = 70.5 m³/Jahr", 16, 70.5, false},
        QuantityLineCase{"WaterPerYearByUnitMarked", "Wasserverbrauch = 70.5 m³/Jahr  *", 16, 70.5,
                         true},
        QuantityLineCase{"WaterWithoutUnitIsTheFirst", "Wasserverbrauch = 70", 15, 70, false},
        QuantityLineCase{"PersonsAloneIsTheFirst", "Personen im Haushalt = 3 -", 12, 3, false},
        QuantityLineCase{"Windows1252Label", "L\xE4ngengrad = 15.5 \xB0", 1, 15.5, false},
        QuantityLineCase{"Utf8Label", "Längengrad = 15.5 °", 1, 15.5, false},
        QuantityLineCase{"NameCaseMatters", "breitengrad = 47", -1, 0, false},
        QuantityLineCase{"NoEqualsIgnored", "Breitengrad 47", -1, 0, false},
        QuantityLineCase{"ForeignLineIgnored", "Hallo = 47", -1, 0, false},
        QuantityLineCase{"PrefixWithoutBracketIgnored", "[02 Breitengrad = 48", -1, 0, false},
        QuantityLineCase{"StarBeforeEqualsIsNoMark", "Breitengrad * = 47", -1, 0, false},
        QuantityLineCase{"HugeNumberHeldAtLargestDouble", "Fahrleistung = 1e999", 27, DBL_MAX,
                         false},
        QuantityLineCase{"TinyNumberIsZero", "Fahrleistung = 1e-999", 27, 0, false}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

struct RecognisedCase {
    const char* name;
    std::string text;
    std::size_t recognised;
    std::size_t rows;
};

class RecognisedLineTest : public ::testing::TestWithParam<RecognisedCase> {};

TEST_P(RecognisedLineTest, CountsAndKeepsRows) {
    const DataFileReading reading = readOne(GetParam().text);
    EXPECT_EQ(reading.recognisedLines, GetParam().recognised);
    EXPECT_EQ(reading.rows.size(), GetParam().rows);
}

INSTANTIATE_TEST_SUITE_P(
    DataFileReader, RecognisedLineTest,
    ::testing::Values(
        RecognisedCase{"ColumnWithoutPrefixRecognisedNoRow", "Modulwinkel = 30", 1, 0},
        RecognisedCase{"ColumnWithRowZero", "[0] Modulwinkel = 30", 1, 0},
        RecognisedCase{"ColumnWithNegativeRow", "[-3] Modulwinkel = 30", 1, 0},
        RecognisedCase{"ColumnWithRowBeyondKept", "[10001] Modulwinkel = 30", 1, 0},
        RecognisedCase{"ColumnWithHugeRow", "[99999999999999999999] Modulwinkel = 3", 1, 0},
        RecognisedCase{"ColumnWithLastKeptRow", "[10000] Modulwinkel = 30", 1, 1},
        RecognisedCase{"ColumnWithRow", "[03] Modulwinkel = 30", 1, 1},
        RecognisedCase{"Nothing", "Hallo Welt\n\n", 0, 0}, RecognisedCase{"EmptyFile", "", 0, 0}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(DataFileReader, RowLinesFillCellsByNumber) {
    const DataFileReading reading = readDataFile(
        "[3] Modulwinkel = 30\n"
        "[03] Modulfeldbreite = 5\n"
        "[01] Ertrag = 1234.5 kWh\n"
        "[01] Modulfeldfläche = 7 m²\n"
        "[1] Modulfeldfläche = 8 m²\n");
    ASSERT_EQ(reading.rows.size(), 2u);
    const auto& row3 = reading.rows.at(3);
    EXPECT_EQ(row3[4], 30.0);
    EXPECT_EQ(row3[0], 5.0);
    EXPECT_FALSE(row3[1].has_value());
    const auto& row1 = reading.rows.at(1);
    EXPECT_EQ(row1[6], 1234.5);  // "Ertrag" with a row prefix is column 7, not quantity 11
    EXPECT_EQ(row1[2], 8.0);     // the later line wins
    EXPECT_FALSE(reading.read[AnnualYield]);
    EXPECT_EQ(reading.recognisedLines, 5u);
}

TEST(DataFileReader, SecondLineReplacesValueButKeepsMark) {
    const DataFileReading reading = readDataFile(
        "Breitengrad = 47.5 °  *\n"
        "Breitengrad = 48.5 °\n");
    EXPECT_EQ(reading.value[Latitude], 48.5);
    EXPECT_TRUE(reading.marked[Latitude]);
}

TEST(DataFileReader, SharedNameAndUnitGoByPosition) {
    // Written order: 11, 12, 13, 14; both 12 and 14 read "Personen im Haushalt ... -".
    const DataFileReading reading =
        readDataFile(formatQuantityLine(11, 1, false) + formatQuantityLine(12, 3, true) +
                     formatQuantityLine(13, 2000, false) + formatQuantityLine(14, 5, false));
    EXPECT_EQ(reading.value[Persons], 3);
    EXPECT_TRUE(reading.marked[Persons]);
    EXPECT_EQ(reading.value[WaterPersons], 5);
    EXPECT_FALSE(reading.marked[WaterPersons]);
}

TEST(DataFileReader, EveryWrittenLineReadsBackIntoItsOwnEntry) {
    // Distinct values per entry reveal any line landing in another entry.
    std::string file;
    for (int q = 0; q < kQuantityCount; ++q) {
        file += formatQuantityLine(q, 1000.0 + q, q % 3 == 0);
    }
    for (int row = 1; row <= 120; ++row) {
        for (int column = 1; column <= 7; ++column) {
            file += formatRowLine(row, column, row * 10.0 + column);
        }
    }
    const DataFileReading reading = readDataFile(utf8ToWindows1252(file));
    for (int q = 0; q < kQuantityCount; ++q) {
        EXPECT_TRUE(reading.read[q]) << q;
        EXPECT_EQ(reading.value[q], 1000.0 + q) << q;
        EXPECT_EQ(reading.marked[q], q % 3 == 0) << q;
    }
    ASSERT_EQ(reading.rows.size(), 120u);
    for (const auto& [row, cells] : reading.rows) {
        for (int column = 1; column <= 7; ++column) {
            EXPECT_EQ(cells[column - 1], row * 10.0 + column) << row << "/" << column;
        }
    }
    EXPECT_EQ(reading.recognisedLines, 42u + 120u * 7u);
}

TEST(DataFileReader, WidestWrittenValueReadsBack) {
    const std::string line = utf8ToWindows1252(formatQuantityLine(27, DBL_MAX, true));
    EXPECT_GT(line.size(), 255u);
    EXPECT_LE(line.size(), kDataFileLinePiece);
    const DataFileReading reading = readDataFile(line);
    EXPECT_EQ(reading.value[CarDistance], DBL_MAX);
    EXPECT_TRUE(reading.marked[CarDistance]);
}

TEST(DataFileReader, OverlongLineIsReadInPieces) {
    // The piece after the first carries the "=", but its label is the middle of the padding.
    const std::string line = "Breitengrad" + std::string(2000, ' ') + "= 47\nLängengrad = 15\n";
    const DataFileReading reading = readDataFile(line);
    EXPECT_FALSE(reading.read[Latitude]);
    EXPECT_TRUE(reading.read[Longitude]);
}

struct WriterCase {
    const char* name;
    std::string line;
    std::string expected;
};

class WriterTest : public ::testing::TestWithParam<WriterCase> {};

TEST_P(WriterTest, WritesTheColumnsOfTheFormat) {
    EXPECT_EQ(GetParam().line, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    DataFileFormat, WriterTest,
    ::testing::Values(WriterCase{"QuantityLine", formatQuantityLine(0, 47.5, false),
                                 "Breitengrad                 =          47.500000 °       \n"},
                      WriterCase{"MarkedQuantityLine", formatQuantityLine(2, 1100, true),
                                 "Globalstrahlung             =        1100.000000 kWh/m²    *\n"},
                      WriterCase{"LongestName", formatQuantityLine(38, -2.5, false),
                                 "Preis Stromeinspeisung      =          -2.500000 Euro    \n"},
                      WriterCase{"RowLine", formatRowLine(1, 1, 5),
                                 "[01] Modulfeldbreite        =           5.000000 m       \n"},
                      WriterCase{"RowLineThreeDigits", formatRowLine(100, 7, 1234.5),
                                 "[100] Ertrag                 =        1234.500000 kWh     \n"},
                      WriterCase{
                          "WideValueShiftsTheLine", formatQuantityLine(27, 1e20, false),
                          "Fahrleistung                = 100000000000000000000.000000 km      \n"}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

}  // namespace
}  // namespace lumetra
