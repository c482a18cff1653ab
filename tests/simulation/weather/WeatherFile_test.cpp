// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/weather/WeatherFile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "simulation/weather/WeatherSamples.h"
#include "test_support/TestSupport.h"

namespace lumetra::simulation {
namespace {

using test::weatherSampleText;

// The text with the `line`th line (1-based) replaced by `replacement` (nothing: removed).
std::string withLine(const std::string& text, int line, const std::string& replacement) {
    std::size_t start = 0;
    for (int i = 1; i < line; ++i) {
        start = text.find('\n', start) + 1;
    }
    const std::size_t end = text.find('\n', start) + 1;
    return text.substr(0, start) + (replacement.empty() ? "" : replacement + "\n") +
           text.substr(end);
}

// Where the `count`th line ends.
std::size_t nthLineEnd(const std::string& text, int count) {
    std::size_t end = 0;
    for (int i = 0; i < count; ++i) {
        end = text.find('\n', i == 0 ? 0 : end + 1);
    }
    return end;
}

TEST(WeatherFileTest, ThePvgisTypicalYearReadsAlikeFromCsvJsonAndEpw) {
    std::string error;
    const auto csv = parseWeatherFile(weatherSampleText("csv"), &error);
    ASSERT_TRUE(csv) << error;
    const auto json = parseWeatherFile(test::pvgisJsonOf(weatherSampleText("csv")), &error);
    ASSERT_TRUE(json) << error;
    const auto epw = parseWeatherFile(weatherSampleText("epw"), &error);
    ASSERT_TRUE(epw) << error;
    EXPECT_EQ(csv->format, WeatherFile::Format::PvgisCsv);
    EXPECT_EQ(json->format, WeatherFile::Format::PvgisJson);
    EXPECT_EQ(epw->format, WeatherFile::Format::Epw);

    for (const WeatherFile* file : {&*csv, &*json, &*epw}) {
        const std::string name(weatherFormatName(file->format));
        EXPECT_EQ(file->latitude_deg, 45.0) << name;
        EXPECT_EQ(file->longitude_deg, 8.0) << name;
        // Every row is in UTC, the irradiance seen 0.1761 h after the hour's stamp.
        EXPECT_EQ(file->utcOffset_h, 0.0) << name;
        EXPECT_NEAR(file->irradianceInstant_h, 0.1761, 1e-12) << name;
        EXPECT_EQ(file->temperatureInstant_h, 0.0) << name;
        ASSERT_EQ(file->global.size(), 8760u) << name;
        // PVGIS states about 1,436 kWh/m² for the year.
        EXPECT_NEAR(file->annualGlobal_kWh_per_m2(), 1435.861, 1e-3) << name;
        for (std::size_t k = 0; k < 8760; ++k) {
            ASSERT_EQ(file->global[k], csv->global[k]) << name << " hour " << k;
            ASSERT_EQ(file->diffuse[k], csv->diffuse[k]) << name << " hour " << k;
            ASSERT_NEAR(file->temperature[k], csv->temperature[k], 0.006) << name << " " << k;
            ASSERT_NEAR(file->wind[k], csv->wind[k], 0.051) << name << " hour " << k;
        }
    }
    // 1 January 2018, 09:00 UTC, as the file lists it.
    EXPECT_EQ(csv->global[9], 149.0f);
    EXPECT_EQ(csv->diffuse[9], 117.0f);
    EXPECT_EQ(csv->temperature[9], 3.23f);
}

TEST(WeatherFileTest, AnEpwFileCountsInItsTimeZoneAndTheMiddleOfEachHour) {
    // The sample without PVGIS's comment is an ordinary EPW file of UTC+1.
    std::string text = weatherSampleText("epw");
    text = withLine(text, 7, "COMMENTS 2,none");
    // A leap year's 29 February is left out.
    const std::size_t march = text.find("\n2009,3,1,1,");
    std::string leapDay;
    for (int hour = 1; hour <= 24; ++hour) {
        leapDay += "\n2009,2,29," + std::to_string(hour) +
                   ",0,x,1.0,0,90,99000,9999,9999,300,0,0,0,0,0,0,0,0,1.0,0";
    }
    text.insert(march, leapDay);
    std::string error;
    const auto file = parseWeatherFile(text, &error);
    ASSERT_TRUE(file) << error;
    EXPECT_EQ(file->utcOffset_h, 1.0);
    EXPECT_EQ(file->irradianceInstant_h, 0.5);
    EXPECT_EQ(file->temperatureInstant_h, 1.0);
    EXPECT_EQ(file->global.size(), 8760u);
}

TEST(WeatherFileTest, AMalformedFileGivesOneMessageNamingItsLine) {
    const std::string csv = weatherSampleText("csv");
    const std::string epw = weatherSampleText("epw");
    const std::string json = test::pvgisJsonOf(csv);
    struct Case {
        const char* name;
        std::string text;
        const char* message;
    };
    const Case cases[] = {
        // Line 19 holds 1 January 00:00, line 30 11:00.
        {"an hour missing", withLine(csv, 30, ""),
         "Zeile 30: erwartet die Stunde 1.1. 11:00, gefunden 1.1. 12:00"},
        {"an hour twice", withLine(csv, 30, "20180101:1000,1,1,1,1,1,1,1,1,1"),
         "Zeile 30: erwartet die Stunde 1.1. 11:00, gefunden 1.1. 10:00"},
        {"a word for a number", withLine(csv, 25, "20180101:0600,warm,1,1,1,1,1,1,1,1"),
         "Zeile 25: erwartet Zeitpunkt"},
        {"irradiance beyond the sun's", withLine(csv, 25, "20180101:0600,1,1,2000,1,1,1,1,1,1"),
         "Zeile 25: Globalstrahlung 2000"},
        {"a column missing", withLine(csv, 18, "time(UTC),T2m,RH,G(h),Gb(n),IR(h),WS10m"),
         "Zeile 18: Spalte Gd(h) fehlt"},
        {"the year cut short", csv.substr(0, csv.find("20070201:0000")),
         "die Datei endet nach 744 von 8760 Stunden"},
        {"EPW's missing value",
         withLine(epw, 20,
                  "2018,1,1,12,0,x,5,0,90,99000,9999,9999,300,"
                  "9999,0,9999,0,0,0,0,0,1.0"),
         "Zeile 20: Globalstrahlung 9999"},
        {"EPW in quarter hours", withLine(epw, 8, "DATA PERIODS,1,4,Data,Thursday, 1/ 1,12/31"),
         "Zeile 8: nur Dateien"},
        {"EPW without a place", withLine(epw, 1, "LOCATION,somewhere"), "Zeile 1: erwartet"},
        {"JSON cut after its 100th hour", json.substr(0, nthLineEnd(json, 102) + 1),
         "Zeile 103: unerwartetes Ende"},
        {"JSON without hours", "{\"inputs\": {\"location\": {\"latitude\": 1, \"longitude\": 2}}}",
         "Zeile 1: outputs.tmy_hourly fehlt"},
        {"JSON nested without end", "{\"a\": " + std::string(100000, '['),
         "Zeile 1: zu tief verschachtelt"},
        {"neither format", "Hallo\nWelt\n", "Zeile 1: weder PVGIS"},
        {"nothing at all", "", "Zeile 1: weder PVGIS"},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(parseWeatherFile(c.text, &error)) << c.name;
        EXPECT_NE(error.find(c.message), std::string::npos) << c.name << ": " << error;
        EXPECT_EQ(error.find('\n'), std::string::npos) << c.name << ": one message";
    }
}

TEST(WeatherFileTest, OnlyARegularFileIsRead) {
    const test::TemporaryFolder folder;
    std::string error;
    EXPECT_FALSE(readWeatherFile(folder.path(), &error));
    EXPECT_EQ(error, "Die Datei kann nicht geöffnet werden");
    EXPECT_FALSE(readWeatherFile(folder.path() / "fehlt.csv", &error));
    EXPECT_TRUE(readWeatherFile(test::weatherSample("csv"), &error)) << error;
}

}  // namespace
}  // namespace lumetra::simulation
