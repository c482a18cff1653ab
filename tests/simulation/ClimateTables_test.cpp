// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/ClimateTables.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "simulation/SimulationSupport.h"
#include "test_support/TestSupport.h"

namespace lumetra::simulation {
namespace {

// Twelve monthly values value, value + 1, ..., as whole numbers.
std::string months(int value) {
    std::string text;
    for (int m = 0; m < 12; ++m) {
        text += ";" + std::to_string(value + m);
    }
    return text;
}

// A 2 x 2 grid 50..50.2 N, 10..10.2 E whose January values are 10, 20 (north row) and 30, 40.
const std::string kSmallGrid =
    "; heading\n"
    "50.2;10.0" +
    months(10) +
    "\n"
    "50.2;10.2" +
    months(20) +
    "\n"
    "50.0;10.0" +
    months(30) +
    "\r\n"
    "50.0;10.2" +
    months(40);

TEST(IrradiationGridTest, BilinearBetweenTheFourSurroundingPoints) {
    std::string error;
    const auto grid = parseIrradiationGrid(kSmallGrid, &error);
    ASSERT_TRUE(grid) << error;
    EXPECT_EQ(grid->pointCount(), 4u);

    struct Case {
        const char* name;
        double latitude;
        double longitude;
        double january;
    };
    const Case cases[] = {
        {"north-west node", 50.2, 10.0, 10},
        {"south-east node", 50.0, 10.2, 40},
        {"centre", 50.1, 10.1, 25},
        {"middle of the west edge", 50.1, 10.0, 20},
        {"quarter from the south-west", 50.05, 10.05, 30 + 0.25 * 10 - 0.25 * 20},
    };
    for (const Case& c : cases) {
        const auto value = grid->monthlyAt(c.latitude, c.longitude);
        ASSERT_TRUE(value) << c.name;
        EXPECT_NEAR((*value)[0], c.january, 1e-9) << c.name;
        EXPECT_NEAR((*value)[11], c.january + 11, 1e-9) << c.name;
    }
}

TEST(IrradiationGridTest, OutsideTheGridThereIsNoValue) {
    const auto grid = parseIrradiationGrid(kSmallGrid, nullptr);
    ASSERT_TRUE(grid);
    EXPECT_FALSE(grid->monthlyAt(49.99, 10.1));
    EXPECT_FALSE(grid->monthlyAt(50.1, 10.21));
    EXPECT_FALSE(grid->monthlyAt(-33.9, 18.4));
}

TEST(IrradiationGridTest, AMissingCornerIsLeftOutAndTheOthersReweighted) {
    const std::string threeCorners =
        "50.2;10.0" + months(10) + "\n50.2;10.2" + months(20) + "\n50.0;10.0" + months(30) + "\n";
    const auto grid = parseIrradiationGrid(threeCorners, nullptr);
    ASSERT_TRUE(grid);
    const auto centre = grid->monthlyAt(50.1, 10.1);
    ASSERT_TRUE(centre);
    EXPECT_NEAR((*centre)[0], 20, 1e-9);  // (10 + 20 + 30) / 3
}

TEST(IrradiationGridTest, ShippedGridGivesBerlinItsAnnualSum) {
    const auto climate = test::shippedClimate();
    ASSERT_TRUE(climate);
    EXPECT_EQ(climate->irradiation().pointCount(), 3136u);
    const auto berlin = climate->irradiation().monthlyAt(52.6, 13.4);
    ASSERT_TRUE(berlin);
    double sum = 0;
    for (double month : *berlin) {
        sum += month;
    }
    EXPECT_NEAR(sum, 1091.9, 0.2);               // the grid point's published annual sum
    EXPECT_GT((*berlin)[5], 5 * (*berlin)[11]);  // June far above December
}

TEST(ClimateTablesTest, MalformedFilesAreRefusedWithTheLine) {
    struct Case {
        const char* name;
        std::string bytes;
        const char* messagePart;
    };
    const Case cases[] = {
        {"too few months", "50;10;1;2;3\n", "Zeile 1"},
        {"text for a number", "; c\n50;10;1;2;3;4;5;6;7;8;9;10;11;x\n", "Zeile 2"},
        {"decimal comma", "50;10;1,5;2;3;4;5;6;7;8;9;10;11;12\n", "Zeile 1"},
        {"latitude off the earth", "91;10" + months(1) + "\n", "Zeile 1"},
        {"negative irradiation", "50;10" + months(-5) + "\n", "Zeile 1"},
        {"duplicate point", "50;10" + months(1) + "\n50;10" + months(1) + "\n", "doppelt"},
        {"off the grid",
         "50;10" + months(1) + "\n50.2;10" + months(1) + "\n50.07;10" + months(1) + "\n", "Gitter"},
        {"only comments", "; nothing\n;\n", "keine Gitterpunkte"},
        {"few points far apart on a fine grid",
         "0;0" + months(1) + "\n0.001;0" + months(1) + "\n80;170" + months(1) + "\n", "zu groß"},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(parseIrradiationGrid(c.bytes, &error)) << c.name;
        EXPECT_NE(error.find(c.messagePart), std::string::npos) << c.name << ": " << error;
    }
}

TEST(ClimateTablesTest, NearestStationWithin150Kilometres) {
    const std::string stations =
        "; Station;Breitengrad;Längengrad;Höhe;Jan;...\n"
        "Nord;54.0;10.0;;1;1;1;1;1;1;1;1;1;1;1;1\n"
        "Süd;48.0;10.0;500;5;5;5;5;5;5;5;5;5;5;5;5\n";
    std::string error;
    auto parsed = parseTemperatureStations(stations, &error);
    ASSERT_TRUE(parsed) << error;
    ASSERT_EQ(parsed->size(), 2u);
    EXPECT_EQ((*parsed)[1].name, "Süd");
    const ClimateTables tables({}, *parsed, LoadProfile{});
    EXPECT_EQ((*tables.stationTemperature(53.5, 10.0, 150))[0], 1);
    EXPECT_EQ((*tables.stationTemperature(48.9, 10.0, 150))[0], 5);  // 100 km
    EXPECT_FALSE(tables.stationTemperature(51.0, 10.0, 150));        // 333 km from both
    EXPECT_FALSE(tables.stationTemperature(-30.0, 10.0, 150));
}

TEST(ClimateTablesTest, LoadProfileColumnsFollowTheirHeadings) {
    // Columns in a shuffled order of day types: the heading decides where a value goes.
    std::string months = "";
    std::string types = "[kWh]";
    const char* names[] = {"Januar", "Februar", "März",      "April",   "Mai",      "Juni",
                           "Juli",   "August",  "September", "Oktober", "November", "Dezember"};
    for (const char* name : names) {
        months += std::string(",") + name + "," + name + "," + name;
        types += ",WT,SA,FT";
    }
    std::string bytes = months + "\n" + types + "\n";
    for (int q = 0; q < 96; ++q) {
        bytes += "00:00-00:15";
        for (int m = 0; m < 12; ++m) {
            bytes += "," + std::to_string(m * 100 + q) + ",2,3";
        }
        bytes += "\n";
    }
    std::string error;
    const auto profile = parseLoadProfile(bytes, &error);
    ASSERT_TRUE(profile) << error;
    EXPECT_EQ(profile->values[4][static_cast<int>(DayType::WorkingDay)][7], 407);
    EXPECT_EQ(profile->values[4][static_cast<int>(DayType::Saturday)][7], 2);
    EXPECT_EQ(profile->values[4][static_cast<int>(DayType::SundayOrHoliday)][7], 3);

    // One data line short, and a day type missing.
    const std::string shortProfile = bytes.substr(0, bytes.rfind("00:00-00:15"));
    EXPECT_FALSE(parseLoadProfile(shortProfile, &error));
    std::string badType = bytes;
    badType.replace(badType.find(",FT"), 3, ",XX");
    EXPECT_FALSE(parseLoadProfile(badType, &error));

    // The headings are the first lines with text: blank lines before them change nothing, and
    // data where a heading belongs is refused with a message, never read into unknown columns.
    const auto blankFirst = parseLoadProfile("\n\r\n" + bytes, &error);
    ASSERT_TRUE(blankFirst) << error;
    EXPECT_EQ(blankFirst->values, profile->values);
    const std::string dataOnly = bytes.substr(bytes.find("00:00-00:15"));
    for (const std::string& noHeadings : {"\n\n" + dataOnly, types + "\n" + dataOnly}) {
        error.clear();
        EXPECT_FALSE(parseLoadProfile(noHeadings, &error));
        EXPECT_NE(error.find("Monat und Tagtyp"), std::string::npos) << error;
    }
}

TEST(ClimateTablesTest, ShippedFilesLoadThroughTheDataSearch) {
    const test::TemporaryFolder empty;
    lumetra::DataSearch search;
    search.currentDir = empty.path();
    search.buildDataDir = LUMETRA_DATA_DIR;
    std::string error;
    const auto tables = loadClimateTables(search, &error);
    ASSERT_TRUE(tables) << error;
    EXPECT_EQ(tables->stations().size(), 198u);
    // Household profile: about 1 GWh over a year of days.
    EXPECT_GT(tables->loadProfile().values[0][2][0], 10);
}

TEST(ClimateTablesTest, AMissingFileIsNamedInTheMessage) {
    const test::TemporaryFolder empty;
    lumetra::DataSearch search;
    search.currentDir = empty.path();
    std::string error;
    EXPECT_FALSE(loadClimateTables(search, &error));
    EXPECT_NE(error.find("MonthlyIrradiation.csv"), std::string::npos) << error;
}

}  // namespace
}  // namespace lumetra::simulation
