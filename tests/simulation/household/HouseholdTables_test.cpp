// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/household/HouseholdTables.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "simulation/household/HouseholdSupport.h"

namespace lumetra::simulation {
namespace {

std::string shippedBytes(std::string_view name) {
    std::ifstream in(std::filesystem::path(LUMETRA_DATA_DIR) / name, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// `bytes` with its line `line` (1-based) replaced, or removed when `replacement` is empty.
std::string withLine(const std::string& bytes, int line, const std::string& replacement) {
    std::istringstream in(bytes);
    std::string out;
    std::string text;
    for (int number = 1; std::getline(in, text); ++number) {
        if (number != line) {
            out += text + "\n";
        } else if (!replacement.empty()) {
            out += replacement + "\n";
        }
    }
    return out;
}

TEST(HouseholdTablesTest, ShippedTablesHoldTheModelsHomes) {
    const auto tables = test::shippedHouseholdTables();
    ASSERT_TRUE(tables);
    ASSERT_EQ(tables->appliances.size(), 33u);
    EXPECT_EQ(tables->appliances[1].name, "Fridge freezer");
    EXPECT_EQ(tables->appliances[1].category, "Cold");  // carried down from the group's first
    EXPECT_EQ(tables->appliances[26].name, "Washing machine");
    EXPECT_EQ(tables->lightBulbs_W.size(), 100u);
    EXPECT_EQ(tables->lightBulbs_W[0].size(), 16u);  // its empty trailing fields dropped
}

struct Refusal {
    const char* name;
    const char* file;
    int line;  // 0: the whole file is missing
    const char* replacement;
    const char* expected;  // part of the message
};

class HouseholdTablesRefusal : public ::testing::TestWithParam<Refusal> {};

TEST_P(HouseholdTablesRefusal, NamesFileAndLine) {
    const Refusal& c = GetParam();
    const auto source = [&](std::string_view name) -> std::optional<std::string> {
        if (name != c.file) {
            return shippedBytes(name);
        }
        if (c.line == 0) {
            return std::nullopt;
        }
        return withLine(shippedBytes(name), c.line, c.replacement);
    };
    std::string error;
    EXPECT_FALSE(readHouseholdTables(source, &error));
    EXPECT_NE(error.find(c.file), std::string::npos) << error;
    EXPECT_NE(error.find(c.expected), std::string::npos) << error;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HouseholdTablesRefusal,
    ::testing::Values(
        Refusal{"TransitionNotSummingToOne", "household/tpm3_wd.csv", 2, "1;1;0.5;0.3;0;0;0;0;0",
                "Zeile 2: die Wahrscheinlichkeiten ergeben weder 1"},
        Refusal{"ProbabilityAboveOne", "household/tpm1_we.csv", 9, "2;1;1.5;-0.5;0;0;0;0;0",
                "Zeile 9: Wahrscheinlichkeit außerhalb 0..1"},
        Refusal{"TransitionLineMissing", "household/tpm5_we.csv", 500, "", "erwartet 1008 Zeilen"},
        Refusal{"TransitionLineOutOfOrder", "household/tpm2_wd.csv", 8, "1;0;1;0;0;0;0;0;0",
                "Zeile 8: erwartet Periode 2 und Zustand 0"},
        Refusal{"StartColumnNotSummingToOne", "household/occ_start_states_we.csv", 1,
                "0;0.5;0.76766;0.67634;0.67568;0.54688;0.66667", "1 Bewohner ergibt nicht 1"},
        Refusal{"ActivityNotANumber", "household/ActiveAppliances_wd.csv", 3, "0;2;x",
                "Zeile 3: erwartet 146 Zahlen"},
        Refusal{"ApplianceProfileUnknown", "household/Appliances.csv", 3,
                ";Fridge freezer;1;0.651;6115.75933;22;190;0;44;0;9;1.0000;0.8",
                "Zeile 3: Kennzeichen"},
        Refusal{"BulbWithoutRating", "household/LightBulbs.csv", 4, ";;;", "Zeile 4: erwartet"},
        Refusal{"FileMissing", "household/tpm4_we.csv", 0, "", "nicht gelesen werden"}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

}  // namespace
}  // namespace lumetra::simulation
