// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/ClimateTables.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
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

// A load profile of 96 quarter hours whose columns come month by month as working day,
// Saturday, Sunday; `value(month, column 0..2, quarter hour)` gives each value.
std::string profileText(const std::function<double(int, int, int)>& value) {
    const char* names[] = {"Januar", "Februar", "März",      "April",   "Mai",      "Juni",
                           "Juli",   "August",  "September", "Oktober", "November", "Dezember"};
    std::string months;
    std::string types = "[kWh]";
    for (const char* name : names) {
        months += std::string(",") + name + "," + name + "," + name;
        types += ",WT,SA,FT";
    }
    std::string bytes = months + "\n" + types + "\n";
    for (int q = 0; q < 96; ++q) {
        bytes += "00:00-00:15";
        for (int m = 0; m < 12; ++m) {
            for (int c = 0; c < 3; ++c) {
                bytes += "," + std::to_string(value(m, c, q));
            }
        }
        bytes += "\n";
    }
    return bytes;
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
    // A table with a point missing is refused; the grid itself bears one.
    const auto point = [](double latitude, double longitude, double january) {
        return IrradiationGrid::Point{latitude, longitude, {january}};
    };
    const IrradiationGrid grid(
        {point(50.2, 10.0, 10), point(50.2, 10.2, 20), point(50.0, 10.0, 30)});
    const auto centre = grid.monthlyAt(50.1, 10.1);
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
         "0;0" + months(1) + "\n0.001;0" + months(1) + "\n60;20" + months(1) + "\n", "zu groß"},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(parseIrradiationGrid(c.bytes, &error)) << c.name;
        EXPECT_NE(error.find(c.messagePart), std::string::npos) << c.name << ": " << error;
    }
}

// Tables that read but cannot be right: a file cut short, other units, an impossible climate,
// a profile without energy. Each is refused with its line, so that it never moves a result.
TEST(ClimateTablesTest, ImplausibleTablesAreRefusedWithTheLine) {
    enum class Table { Irradiation, Temperature, Profile };
    struct Case {
        const char* name;
        Table table;
        std::string bytes;
        const char* messagePart;
    };
    // Berlin's months (the shipped grid's point at 52.6 N, 13.4 E), in kWh/m² and in MJ/m².
    const std::string berlin =
        "52.6;13.4;19.6;34.8;76.9;124.6;155.3;161.7;161.6;140.2;92.8;"
        "52.6;23.6;15.2\n";
    const std::string berlinInMegajoules =
        "52.6;13.4;70.6;125.3;276.8;448.6;559.1;582.1;581.8;"
        "504.7;334.1;189.4;85.0;54.7\n";
    const std::string temperatures =
        "; Station;Breitengrad;Längengrad;Höhe;Jan;...\n"
        "Berlin;52.5;13.4;48;0.9;1.9;5;9.9;14.6;17.7;"
        "20.0;19.6;15.4;10.3;5.3;2.0\n";
    const auto hotJuly = [&] {
        std::string text = temperatures;
        text.replace(text.find("20.0"), 4, "60");
        return text;
    };
    const Case cases[] = {
        {"a grid with a point missing, as a file cut short leaves it", Table::Irradiation,
         "50.2;10.0" + months(10) + "\n50.2;10.2" + months(20) + "\n50.0;10.0" + months(30) + "\n",
         "Zeile 3: das Gitter ist unvollständig, es fehlt 1 von 4 Punkten, zuerst 50° N 10,2° O"},
        {"megajoules for kilowatt hours", Table::Irradiation, berlinInMegajoules,
         "Zeile 1: Globalstrahlung im Januar 70,6 kWh/m², möglich sind 0 bis 69 kWh/m²"},
        {"a year without light", Table::Irradiation, "50;10;0;0;0;0;0;0;0;0;0;0;0;0\n",
         "Zeile 1: ein Jahr ohne Globalstrahlung"},
        {"a station at 60 °C", Table::Temperature, hotJuly(),
         "Zeile 2: Monatsmittel der Lufttemperatur im Juli 60 °C, möglich sind -80 bis 45 °C"},
        {"no station", Table::Temperature, "; Station;Breitengrad;Längengrad\n", "keine Station"},
        {"a profile of zeros", Table::Profile, profileText([](int, int, int) { return 0.0; }),
         "Zeile 2: die Spalte 2 (Januar WT) enthält keine Energie"},
        {"one day type without energy", Table::Profile, profileText([](int month, int column, int) {
             return month == 4 && column == 1 ? 0.0 : 1.0;
         }),
         "Zeile 2: die Spalte 15 (Mai SA) enthält keine Energie"},
    };
    std::string error;
    ASSERT_TRUE(parseIrradiationGrid(berlin, &error)) << error;
    ASSERT_TRUE(parseTemperatureStations(temperatures, &error)) << error;
    for (const Case& c : cases) {
        error.clear();
        const bool read =
            c.table == Table::Irradiation   ? parseIrradiationGrid(c.bytes, &error).has_value()
            : c.table == Table::Temperature ? parseTemperatureStations(c.bytes, &error).has_value()
                                            : parseLoadProfile(c.bytes, &error).has_value();
        EXPECT_FALSE(read) << c.name;
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
    const std::string bytes = profileText(
        [](int month, int column, int q) { return column == 0 ? month * 100 + q : column + 1; });
    std::string types = "[kWh]";
    for (int m = 0; m < 12; ++m) {
        types += ",WT,SA,FT";
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
