// SPDX-License-Identifier: GPL-3.0-or-later
// Where the hourly balance's tables come from: the shipped ones, never a copy in the current
// folder; a chosen data folder's where it holds valid ones; the shipped ones and a message
// naming the file and its line where it does not.
#include "simulation/TableFiles.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <functional>

#include "persistence/FileAccess.h"
#include "simulation/ClimateTables.h"
#include "simulation/household/HouseholdTables.h"
#include "test_support/ShippedTables.h"
#include "test_support/TestSupport.h"

namespace lumetra::simulation {
namespace {

namespace fs = std::filesystem;

DataSearch shippedSearch(const fs::path& currentDir = {}) {
    DataSearch search;
    search.currentDir = currentDir;
    search.buildDataDir = LUMETRA_DATA_DIR;
    return search;
}

bool allShipped(const DataSources& sources) {
    for (const DataSource& source : sources) {
        const fs::path inData = source.path.lexically_relative(LUMETRA_DATA_DIR);
        if (inData.empty() || *inData.begin() == "..") {
            return false;
        }
    }
    return !sources.empty();
}

long peakMemory_kB() {
    struct rusage usage {};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

TEST(TableFiles, ValidTablesInTheCurrentFolderAreNeverRead) {
    const test::TemporaryFolder current;
    test::writeTable(current.path(), "MonthlyTemperature.csv", test::stationsAt("40"));
    const ClimateTablesLoad load =
        loadClimateTables(TableSearch{shippedSearch(current.path()), {}});
    ASSERT_TRUE(load.tables) << load.error;
    EXPECT_TRUE(allShipped(load.sources));
    EXPECT_EQ(load.tables->stations().front().months[0], 2.5);  // List auf Sylt, January
}

TEST(TableFiles, AChosenFolderReplacesTheTablesItHoldsAndNamesThem) {
    const test::TemporaryFolder chosen;
    test::writeTable(chosen.path(), "MonthlyTemperature.csv", test::stationsAt("40"));
    const ClimateTablesLoad load = loadClimateTables(TableSearch{shippedSearch(), chosen.path()});
    ASSERT_TRUE(load.tables) << load.error;
    EXPECT_EQ(load.chosenFolderProblem, "");
    EXPECT_EQ(load.tables->stations().front().months[0], 40);
    ASSERT_EQ(load.sources.size(), 4u);  // the simulated home's tables named by their folder
    EXPECT_EQ(load.sources[1].kind.key, "temperature");
    EXPECT_EQ(load.sources[1].path, chosen.path() / "MonthlyTemperature.csv");
    EXPECT_EQ(load.sources[3].kind.key, "household");
    EXPECT_TRUE(allShipped({load.sources[0], load.sources[2]}));
}

struct RefusedFolderCase {
    const char* name;
    const char* table;  // the file the message names (none: the folder)
    // Puts the refused table there; false when it cannot be made here.
    std::function<bool(const fs::path& folder)> make;
    const char* messagePart;
};

class RefusedFolder : public ::testing::TestWithParam<RefusedFolderCase> {};

// The table is refused from its kind or size before it is read, or from its content with its
// line; the shipped tables stand in, and no table is ever held whole beyond the size limit.
TEST_P(RefusedFolder, LeavesTheShippedTablesAndNamesTheFileAndLine) {
    const test::TemporaryFolder chosen;
    if (!GetParam().make(chosen.path())) {
        GTEST_SKIP() << "cannot make this kind of file here";
    }
    const long memoryBefore_kB = peakMemory_kB();
    const ClimateTablesLoad load = loadClimateTables(TableSearch{shippedSearch(), chosen.path()});
    EXPECT_LT(peakMemory_kB() - memoryBefore_kB, 64 * 1024) << "a table was held whole";
    ASSERT_TRUE(load.tables) << load.error;
    EXPECT_EQ(load.tables->irradiation().pointCount(), 3136u);
    EXPECT_EQ(load.tables->stations().size(), 198u);
    EXPECT_TRUE(allShipped(load.sources));
    const fs::path named =
        *GetParam().table != '\0' ? chosen.path() / GetParam().table : chosen.path();
    const std::string expected = utf8Path(named) + GetParam().messagePart;
    EXPECT_NE(load.chosenFolderProblem.find(expected), std::string::npos)
        << load.chosenFolderProblem;
}

bool makeSparse(const fs::path& path, std::uintmax_t size) {
    std::error_code error;
    test::writeTable(path.parent_path(), path.filename().string(), "52.0;13.0");
    fs::resize_file(path, size, error);
    return !error;
}

constexpr std::uintmax_t kMegabyte = 1024 * 1024;

INSTANTIATE_TEST_SUITE_P(
    TableFiles, RefusedFolder,
    ::testing::Values(
        RefusedFolderCase{"IrradiationCutAt100kB", "MonthlyIrradiation.csv",
                          [](const fs::path& folder) {
                              test::writeTable(folder, "MonthlyIrradiation.csv",
                                               test::irradiationCutAt(100'000));
                              return true;
                          },
                          ", Zeile 1338: das Gitter ist unvollständig, es fehlen 9 von 1344 "
                          "Punkten, zuerst 51,4° N 14,4° O"},
        RefusedFolderCase{"OneStationAt60Degrees", "MonthlyTemperature.csv",
                          [](const fs::path& folder) {
                              test::writeTable(folder, "MonthlyTemperature.csv",
                                               test::stationsAt("60", 82));
                              return true;
                          },
                          ", Zeile 82: Monatsmittel der Lufttemperatur im Januar 60 °C"},
        RefusedFolderCase{"LoadProfileOfZeros", "LoadProfileH25.csv",
                          [](const fs::path& folder) {
                              test::writeTable(folder, "LoadProfileH25.csv",
                                               test::loadProfileOfZeros());
                              return true;
                          },
                          ", Zeile 2: die Spalte 2 (Januar SA) enthält keine Energie"},
        RefusedFolderCase{"Fifo", "MonthlyTemperature.csv",
                          [](const fs::path& folder) {
                              return ::mkfifo((folder / "MonthlyTemperature.csv").c_str(), 0600) ==
                                     0;
                          },
                          ": Das ist keine gewöhnliche Datei"},
        RefusedFolderCase{"Of300MB", "MonthlyIrradiation.csv",
                          [](const fs::path& folder) {
                              return makeSparse(folder / "MonthlyIrradiation.csv", 300 * kMegabyte);
                          },
                          ": Die Datei ist zu groß für eine Tabelle"},
        RefusedFolderCase{"Of200MBWithinTheLimitOfADataFile", "LoadProfileH25.csv",
                          [](const fs::path& folder) {
                              return makeSparse(folder / "LoadProfileH25.csv", 200 * kMegabyte);
                          },
                          ": Die Datei ist zu groß für eine Tabelle"},
        RefusedFolderCase{"WithoutAnyTable", "", [](const fs::path&) { return true; },
                          " enthält keine Tabelle der Stundenbilanz"}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(TableFiles, TheHouseholdTablesFollowTheSameRules) {
    const test::TemporaryFolder chosen;
    std::string lightBulbs = test::shippedTableText("household/LightBulbs.csv");
    lightBulbs.replace(0, lightBulbs.find(';'), "-60");
    test::writeTable(chosen.path(), "household/LightBulbs.csv", lightBulbs);
    const HouseholdTablesLoad refused =
        loadHouseholdTables(TableSearch{shippedSearch(), chosen.path()});
    EXPECT_TRUE(refused.tables);
    EXPECT_TRUE(allShipped({refused.sources.front()}));
    EXPECT_NE(
        refused.chosenFolderProblem.find(utf8Path(chosen.path() / "household/LightBulbs.csv") +
                                         ", Zeile 1: Leistung einer Lampe"),
        std::string::npos)
        << refused.chosenFolderProblem;

    test::writeTable(chosen.path(), "household/LightBulbs.csv",
                     test::shippedTableText("household/LightBulbs.csv"));
    const HouseholdTablesLoad taken =
        loadHouseholdTables(TableSearch{shippedSearch(), chosen.path()});
    EXPECT_EQ(taken.chosenFolderProblem, "");
    EXPECT_EQ(taken.sources.size(), 16u);
    EXPECT_EQ(taken.sources[1].path, chosen.path() / "household/LightBulbs.csv");
}

}  // namespace
}  // namespace lumetra::simulation
