// SPDX-License-Identifier: GPL-3.0-or-later
#include "persistence/LocationDatabase.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lumetra {
namespace {

std::vector<std::string> texts(const LocationList& list) {
    std::vector<std::string> result;
    for (const LocationLine& line : list) {
        result.push_back(line.text);
    }
    return result;
}

struct ListCase {
    const char* name;
    std::string file;
    std::vector<std::string> lines;  // UTF-8, in sorted order
};

class LocationListTest : public ::testing::TestWithParam<ListCase> {};

TEST_P(LocationListTest, ReadsTheLocationLinesInNaturalOrder) {
    EXPECT_EQ(texts(readLocationList(GetParam().file)), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    LocationDatabase, LocationListTest,
    ::testing::Values(
        ListCase{"CommentsAndEmptyLinesSkipped",
                 "; Ort;Breitengrad\n\nWien;48.21;16.37;1150\n\r\nLinz;48.31;14.29;1150\n",
                 {"Linz;48.31;14.29;1150\n", "Wien;48.21;16.37;1150\n"}},
        ListCase{"OnlyCommentsGiveNothing", ";a\n;b\n\n\r\n", {}},
        ListCase{"ZeroByteLineSkipped", std::string("\0Wien;1\nLinz;2\n", 15), {"Linz;2\n"}},
        ListCase{
            "HeadingWithoutSemicolonIsAPlace", "Ort;Breite\nAbc;1\n", {"Abc;1\n", "Ort;Breite\n"}},
        ListCase{"LastLineWithoutLineEnd", "Wien;1", {"Wien;1"}},
        ListCase{"NaturalOrder",
                 "Ort10;1\nOrt2;2\n\xD6sterreich;3\nOslo;4\nOttawa;5\n",
                 {"Ort2;2\n", "Ort10;1\n", "Oslo;4\n", "Österreich;3\n", "Ottawa;5\n"}},
        ListCase{"Utf8FileSortsLikeWindows1252",
                 "Ottawa;5\n\xC3\x96sterreich;3\nOslo;4\n",
                 {"Oslo;4\n", "Österreich;3\n", "Ottawa;5\n"}},
        ListCase{"EqualLinesKeepFileOrder", "b;2\nA;1\na;1\n", {"A;1\n", "a;1\n", "b;2\n"}}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(LocationDatabase, LongLineArrivesInPiecesOfTheBufferSize) {
    // 4094 characters and the line feed fit the buffer; one more character does not.
    const std::string fitting = std::string(4094, 'a') + "\n";
    EXPECT_EQ(readLocationList(fitting).size(), 1u);

    const std::string longer = std::string(4095, 'b') + "\n";
    const LocationList list = readLocationList(longer);
    // The first piece is 4095 characters; the rest is a line of its own, an empty one, skipped.
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].text.size(), 4095u);

    const std::string twoPieces = std::string(5000, 'c') + "\n";
    const LocationList pieces = readLocationList(twoPieces);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0].text.size() + pieces[1].text.size(), 5001u);
}

struct FieldsCase {
    const char* name;
    std::string line;
    std::vector<std::string> fields;
};

class LocationFieldsTest : public ::testing::TestWithParam<FieldsCase> {};

TEST_P(LocationFieldsTest, SplitsAtSemicolons) {
    const auto views = splitLocationFields(GetParam().line);
    EXPECT_EQ(std::vector<std::string>(views.begin(), views.end()), GetParam().fields);
}

INSTANTIATE_TEST_SUITE_P(
    LocationDatabase, LocationFieldsTest,
    ::testing::Values(
        FieldsCase{"FourFields", "Linz;48.31;14.29;1150\n", {"Linz", "48.31", "14.29", "1150\n"}},
        FieldsCase{"InnerEmptyFieldsKept", "A;;3", {"A", "", "3"}},
        FieldsCase{"NoFieldAfterFinalSemicolon", "A;1;", {"A", "1"}},
        FieldsCase{"OnlySemicolons", "Nirgendwo;;;1000\n", {"Nirgendwo", "", "", "1000\n"}},
        FieldsCase{"NoSemicolon", "Nirgendwo\n", {"Nirgendwo\n"}}, FieldsCase{"Empty", "", {""}}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

struct NameCase {
    const char* name;
    std::string line;
    std::string placeName;
};

class PlaceNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(PlaceNameTest, IsTheTrimmedFirstField) {
    EXPECT_EQ(placeName(GetParam().line), GetParam().placeName);
}

INSTANTIATE_TEST_SUITE_P(
    LocationDatabase, PlaceNameTest,
    ::testing::Values(
        NameCase{"FirstField", "Linz;48.31;14.29;1150\n", "Linz"},
        NameCase{"LeadingBlankTrimmed", "  Wien ;1\n", "Wien"},
        NameCase{"TabsTrimmed", "\tGraz\t;1", "Graz"},
        NameCase{"WholeLineWithoutSemicolon", "Nirgendwo\r\n", "Nirgendwo"},
        NameCase{"InnerBlanksKept", "Wiener Neustadt;1", "Wiener Neustadt"},
        NameCase{"CutTo255Characters", std::string(300, 'x') + ";1", std::string(255, 'x')},
        NameCase{"CutCountsCharactersNotBytes", std::string(300, 'x').replace(0, 1, "Ö"),
                 "Ö" + std::string(254, 'x')},
        NameCase{"CutBeforeTrim", std::string(250, ' ') + "Abcdefghij;1", "Abcde"}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

}  // namespace
}  // namespace lumetra
