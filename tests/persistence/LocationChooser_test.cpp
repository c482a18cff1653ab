// SPDX-License-Identifier: GPL-3.0-or-later
#include "persistence/LocationChooser.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "persistence/Messages.h"
#include "test_support/OpeningState.h"
#include "test_support/TestSupport.h"

namespace lumetra {
namespace {

using test::OpeningState;

// Runs the chooser on a database with the given bytes; the selection picks `pick` (a place
// name) or cancels when it is empty, and records what it was offered.
struct Chooser {
    test::TemporaryFolder folder;
    OpeningState s;
    std::string lastLocationName;
    std::vector<std::string> offered;
    std::size_t preselected = 999;

    ChooseLocationOutcome choose(const std::string& bytes, const std::string& pick) {
        const auto path = folder.path() / "SolarDatabase.csv";
        std::ofstream(path, std::ios::binary) << bytes;
        return chooseLocation(s.calculator, path, lastLocationName,
                              [&](const std::vector<std::string>& names,
                                  std::size_t selected) -> std::optional<std::size_t> {
                                  offered = names;
                                  preselected = selected;
                                  for (std::size_t i = 0; i < names.size(); ++i) {
                                      if (names[i] == pick) {
                                          return i;
                                      }
                                  }
                                  return std::nullopt;
                              });
    }
};

constexpr const char* kDatabase =
    "; Ort;Breitengrad;L\xE4ngengrad;Globalstrahlung\n"
    "Wien;48.21;16.37;1150\n"
    "Linz;48,31;14,29;1200\n"
    "  M\xFCnchen ;48.14;11.58;1180\r\n"
    "Nirgendwo;;;1000\n"
    "Leer\n";

struct ChoiceCase {
    const char* name;
    std::string pick;
    std::array<double, 3> expected;  // latitude, longitude, irradiation
};

class LocationChoiceTest : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(LocationChoiceTest, SetsTheFiguresOfThePlace) {
    Chooser chooser;
    const ChoiceCase& c = GetParam();
    EXPECT_EQ(chooser.choose(kDatabase, c.pick), ChooseLocationOutcome::Chosen);
    EXPECT_EQ(chooser.lastLocationName, c.pick);
    EXPECT_NEAR(chooser.s.value(Latitude), c.expected[0], 1e-9);
    EXPECT_NEAR(chooser.s.value(Longitude), c.expected[1], 1e-9);
    EXPECT_NEAR(chooser.s.value(AnnualIrradiation), c.expected[2], 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    LocationChooser, LocationChoiceTest,
    ::testing::Values(
        ChoiceCase{"DecimalPoint", "Wien", {48.21, 16.37, 1150}},
        ChoiceCase{"DecimalComma", "Linz", {48.31, 14.29, 1200}},
        ChoiceCase{"TrimmedNameWithUmlautAndCarriageReturn", "München", {48.14, 11.58, 1180}},
        ChoiceCase{"OnlyIrradiation", "Nirgendwo", {47.105186, 15.710793, 1000}},
        ChoiceCase{"NameAloneSetsNothing", "Leer", {47.105186, 15.710793, 1100}}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

// The whole lines are sorted: the line beginning with blanks comes first.
TEST(LocationChooser, OffersNamesInNaturalOrderAndPreselectsTheLastChoice) {
    Chooser chooser;
    chooser.choose(kDatabase, "Linz");
    EXPECT_EQ(chooser.offered,
              (std::vector<std::string>{"München", "Leer", "Linz", "Nirgendwo", "Wien"}));
    EXPECT_EQ(chooser.preselected, 0u);
    chooser.choose(kDatabase, "");
    EXPECT_EQ(chooser.preselected, 2u);
    EXPECT_EQ(chooser.lastLocationName, "Linz");  // a cancel keeps it
}

TEST(LocationChooser, CancelChangesNothing) {
    Chooser chooser;
    const auto before = chooser.s.calculator.state().values;
    EXPECT_EQ(chooser.choose(kDatabase, ""), ChooseLocationOutcome::Cancelled);
    EXPECT_EQ(chooser.s.calculator.state().values, before);
    EXPECT_TRUE(chooser.lastLocationName.empty());
}

struct FailureCase {
    const char* name;
    std::string bytes;  // empty: no file at all
    ChooseLocationOutcome outcome;
    std::string_view message;
};

class LocationFailureTest : public ::testing::TestWithParam<FailureCase> {};

TEST_P(LocationFailureTest, ReportsAndChangesNothing) {
    Chooser chooser;
    const auto before = chooser.s.calculator.state().values;
    bool asked = false;
    ChooseLocationOutcome outcome;
    if (GetParam().bytes.empty()) {
        outcome = chooseLocation(chooser.s.calculator, chooser.folder.path() / "fehlt.csv",
                                 chooser.lastLocationName,
                                 [&](const auto&, std::size_t) -> std::optional<std::size_t> {
                                     asked = true;
                                     return 0;
                                 });
    } else {
        outcome = chooser.choose(GetParam().bytes, "x");
        asked = !chooser.offered.empty();
    }
    EXPECT_EQ(outcome, GetParam().outcome);
    EXPECT_EQ(chooseLocationMessage(outcome), GetParam().message);
    EXPECT_FALSE(asked);
    EXPECT_EQ(chooser.s.calculator.state().values, before);
}

INSTANTIATE_TEST_SUITE_P(LocationChooser, LocationFailureTest,
                         ::testing::Values(FailureCase{"MissingFile", "",
                                                       ChooseLocationOutcome::CannotOpen,
                                                       kLocationDatabaseOpenFailedMessage},
                                           FailureCase{"OnlyComments", ";a;b\n\n;c\r\n",
                                                       ChooseLocationOutcome::EmptyDatabase,
                                                       kLocationDatabaseEmptyMessage}),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(LocationChooser, AFileThatOpensButCannotBeReadIsReportedAsNotOpened) {
    Chooser chooser;
    const auto before = chooser.s.calculator.state().values;
    bool asked = false;
    // Opens, but every read of it fails.
    const auto outcome =
        chooseLocation(chooser.s.calculator, "/proc/self/mem", chooser.lastLocationName,
                       [&](const auto&, std::size_t) -> std::optional<std::size_t> {
                           asked = true;
                           return 0;
                       });
    EXPECT_EQ(outcome, ChooseLocationOutcome::CannotOpen);
    EXPECT_FALSE(asked);
    EXPECT_EQ(chooser.s.calculator.state().values, before);
}

TEST(LocationChooser, MessagesHaveTheirExactTexts) {
    EXPECT_EQ(kLocationDatabaseOpenFailedMessage,
              "Die Datei 'SolarDatabase.csv' konnte nicht geöffnet werden !");
    EXPECT_EQ(kLocationDatabaseEmptyMessage, "Die Datenbankdatei 'SolarDatabase.csv' ist leer !");
}

// ---- finding a place by a typed name ------------------------------------------------------

const std::vector<std::string> kPlaces = {"Bad Tölz",
                                          "Frankfurt (Oder)",
                                          "Frankfurt am Main",
                                          "Großenhain",
                                          "Müllheim",
                                          "Muellheim",
                                          "Zürich",
                                          "Ort1",
                                          "Ort10",
                                          "ÉPALINGES"};

struct FindCase {
    const char* name;
    const char* typed;
    std::optional<std::size_t> found;
    std::vector<std::size_t> candidates;
};

void PrintTo(const FindCase& c, std::ostream* out) {
    *out << c.name;
}

class FindPlace : public ::testing::TestWithParam<FindCase> {};

TEST_P(FindPlace, FindsTheOnePlaceMeantOrListsTheCandidates) {
    const PlaceSearch search = findPlace(kPlaces, GetParam().typed);
    EXPECT_EQ(search.found, GetParam().found);
    EXPECT_EQ(search.candidates, GetParam().candidates);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FindPlace,
    ::testing::Values(FindCase{"ExactSpelling", "Frankfurt am Main", 2, {}},
                      FindCase{"CaseDoesNotMatter", "FRANKFURT AM MAIN", 2, {}},
                      FindCase{"UmlautSpeltOut", "bad toelz", 0, {}},
                      FindCase{"SharpSSpeltOut", "grossenhain", 3, {}},
                      FindCase{"CapitalSharpS", "GROẞENHAIN", 3, {}},
                      FindCase{"BlanksAroundAreNoPartOfTheName", "  zuerich ", 6, {}},
                      FindCase{"OtherLatinCapitals", "épalinges", 9, {}},
                      // Two names that mean the same to the search, unless one is typed exactly.
                      FindCase{"TwoSpellingsOfOnePlace", "MUELLHEIM", std::nullopt, {4, 5}},
                      FindCase{"ExactSpellingAmongThem", "Muellheim", 5, {}},
                      FindCase{"UniqueBeginning", "gross", 3, {}},
                      FindCase{"SeveralBeginnings", "frankfurt", std::nullopt, {1, 2}},
                      FindCase{"AWholeNameBeatsLongerOnes", "ort1", 7, {}},
                      FindCase{"Unknown", "Atlantis", std::nullopt, {}},
                      FindCase{"Blank", "  ", std::nullopt, {}}),
    [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace lumetra
