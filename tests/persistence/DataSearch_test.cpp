// SPDX-License-Identifier: GPL-3.0-or-later
// Where shipped data files are looked for: the current folder, the copy installed beside the
// program, the source tree's data folder, in that order.
#include "persistence/DataSearch.h"

#include <gtest/gtest.h>

#include <fstream>

#include "test_support/TestSupport.h"

namespace lumetra::test {
namespace {

namespace fs = std::filesystem;

void writeFile(const fs::path& path) {
    std::ofstream(path, std::ios::binary) << "A;1;2;3\n";
}

struct SearchCase {
    const char* name;
    bool inCurrent;
    bool folderInCurrent;  // a folder of that name in the current directory
    bool installed;
    bool inBuildTree;
    const char* expectedPlace;  // "current", "installed" or "build"
};

TEST(DataSearch, FirstExistingFileInSearchOrder) {
    const SearchCase cases[] = {
        {"OnlyCurrent", true, false, false, false, "current"},
        {"CurrentBeatsTheOthers", true, false, true, true, "current"},
        {"InstalledBeatsBuildTree", false, false, true, true, "installed"},
        {"OnlyBuildTree", false, false, false, true, "build"},
        {"FolderOfThatNameIsSkipped", false, true, true, false, "installed"},
        {"NoneAnywhere", false, false, false, false, "current"},
    };
    for (const SearchCase& c : cases) {
        TemporaryFolder root;
        const fs::path current = root.path() / "home";
        const fs::path program = root.path() / "prefix" / "bin";
        const fs::path share = root.path() / "prefix" / "share" / "lumetra";
        const fs::path build = root.path() / "source" / "data";
        for (const fs::path& dir : {current, program, share, build}) {
            fs::create_directories(dir);
        }
        if (c.inCurrent) {
            writeFile(current / "SolarDatabase.csv");
        }
        if (c.folderInCurrent) {
            fs::create_directory(current / "SolarDatabase.csv");
        }
        if (c.installed) {
            writeFile(share / "SolarDatabase.csv");
        }
        if (c.inBuildTree) {
            writeFile(build / "SolarDatabase.csv");
        }
        const DataSearch search{current, program, build};
        const std::string place = c.expectedPlace;
        const fs::path expected = place == "installed" ? share : place == "build" ? build : current;
        EXPECT_EQ(findDataFile(search, "SolarDatabase.csv").lexically_normal(),
                  (expected / "SolarDatabase.csv").lexically_normal())
            << c.name;
    }
}

TEST(DataSearch, UnknownFoldersAreNotSearched) {
    EXPECT_TRUE(dataFileCandidates({}, "SolarDatabase.csv").empty());
    EXPECT_EQ(findDataFile({}, "SolarDatabase.csv"), fs::path("SolarDatabase.csv"));
    EXPECT_EQ(dataFileCandidates({{}, "/opt/x/bin", {}}, "SolarDatabase.csv"),
              std::vector<fs::path>{"/opt/x/share/lumetra/SolarDatabase.csv"});
}

TEST(DataSearch, NamesWithUmlautsAreFound) {
    TemporaryFolder root;
    const fs::path file = root.path() / fs::path(u8"Ortsdaten-Österreich.csv");
    writeFile(file);
    EXPECT_EQ(findDataFile({root.path(), {}, {}}, "Ortsdaten-Österreich.csv"), file);
}

}  // namespace
}  // namespace lumetra::test
