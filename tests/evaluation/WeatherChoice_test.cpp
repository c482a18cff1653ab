// SPDX-License-Identifier: GPL-3.0-or-later
// "Wetterdaten": a weather file's year in the evaluation, its data-file line, and what a
// missing, malformed or distant file does.
#include "evaluation/WeatherChoice.h"

#include <gtest/gtest.h>

#include <fstream>

#include "evaluation/Evaluation.h"
#include "evaluation/EvaluationFileLines.h"
#include "simulation/ClimateTables.h"
#include "simulation/weather/WeatherSamples.h"
#include "test_support/OpeningState.h"
#include "test_support/TestSupport.h"

namespace lumetra::evaluation {
namespace {

std::shared_ptr<const simulation::ClimateTables> climate() {
    static const auto tables = [] {
        DataSearch search;
        search.buildDataDir = LUMETRA_DATA_DIR;
        std::string error;
        return simulation::loadClimateTables(search, &error);
    }();
    return tables;
}

const std::string kSample = test::weatherSample("csv").string();

class WeatherChoiceTest : public ::testing::Test {
  protected:
    const simulation::HourlyResult& updated() {
        evaluation.update(opening.calculator.state(), opening.table);
        return *evaluation.hourlyResult();
    }

    test::OpeningState opening;
    Evaluation evaluation{climate()};
};

TEST_F(WeatherChoiceTest, AChosenFileReplacesTheSynthesizedYearUntilSynthesizedIsChosen) {
    const double typed = updated().irradiation_kWh_per_m2;
    EXPECT_FALSE(updated().weatherImported);
    EXPECT_EQ(evaluation.importWeather(kSample), "");
    EXPECT_EQ(evaluation.inputs().weatherFile, kSample);
    EXPECT_TRUE(updated().weatherImported);
    ASSERT_FALSE(evaluation.dataSources().empty());
    EXPECT_EQ(evaluation.dataSources().back().kind.key, "weather");
    EXPECT_EQ(evaluation.dataSources().back().path, kSample);
    EXPECT_NEAR(updated().irradiation_kWh_per_m2, 1435.861, 1e-3);
    evaluation.useSynthesizedWeather();
    EXPECT_FALSE(updated().weatherImported);
    EXPECT_EQ(updated().irradiation_kWh_per_m2, typed);
    EXPECT_EQ(evaluation.inputs(), EvaluationInputs{});
}

TEST_F(WeatherChoiceTest, AMalformedFileChangesNothingAndSaysWhichLine) {
    const test::TemporaryFolder folder;
    const auto path = folder.path() / "kaputt.csv";
    std::ofstream(path) << "Latitude (decimal degrees): 45.0\nLongitude (decimal degrees): 8.0\n"
                           "time(UTC),T2m,G(h),Gd(h),WS10m\n20180101:0100,1,0,0,1\n";
    const simulation::HourlyResult before = updated();
    const std::string message = evaluation.importWeather(path.string());
    EXPECT_NE(message.find("Zeile 4: erwartet die Stunde 1.1. 00:00"), std::string::npos)
        << message;
    EXPECT_EQ(evaluation.inputs(), EvaluationInputs{});
    EXPECT_EQ(evaluation.weather(), nullptr);
    EXPECT_EQ(updated().annual.yield_kWh, before.annual.yield_kWh);
}

TEST_F(WeatherChoiceTest, AMissingFileOfADataFileLeavesTheSynthesizedYearAndTheOtherInputs) {
    const EvaluationInputs read =
        readEvaluationLines("Betrachtungsdauer = 25\nWetterdatei = /nirgends/wetter.epw\n").inputs;
    evaluation.setInputs(read);
    EXPECT_FALSE(updated().weatherImported);
    EXPECT_EQ(evaluation.inputs().years, 25);
    // The path stays, so that saving the data set keeps it.
    EXPECT_EQ(evaluation.inputs().weatherFile, "/nirgends/wetter.epw");
    EXPECT_NE(evaluation.weatherProblem().find("/nirgends/wetter.epw"), std::string::npos);
    EXPECT_NE(evaluation.weatherProblem().find("synthetischen Wetterjahr"), std::string::npos);
}

TEST(WeatherChoice, TheDataFileLinesKeepAnyPath) {
    EvaluationInputs inputs;
    inputs.weatherFile = "/home/anna/Wetter 2024/Überlingen 100%.epw";
    inputs.dataFolder = "/home/anna/Tabellen Ü";
    const std::string lines = evaluationInputLines(inputs);
    EXPECT_EQ(lines,
              "Wetterdatei                 = "
              "/home/anna/Wetter%202024/%C3%9Cberlingen%20100%25.epw\n"
              "Datenordner                 = /home/anna/Tabellen%20%C3%9C\n");
    EXPECT_EQ(readEvaluationLines(lines).inputs, inputs);
    EXPECT_EQ(readEvaluationLines("Wetterdatei = C:\\Wetter\\a%zz.csv\r\n").inputs.weatherFile,
              "C:\\Wetter\\a%zz.csv");
    // A long path, written escaped, is longer than the data file's line pieces: it comes back
    // whole, also as the file's last line without a line end.
    std::string longPath = "/home/anna";
    for (int i = 0; i < 400; ++i) {
        longPath += "/Überlingen";
    }
    inputs.weatherFile = longPath;
    std::string longLines = evaluationInputLines(inputs);
    ASSERT_GT(longLines.size(), 3 * 1023u);
    EXPECT_EQ(readEvaluationLines(longLines).inputs.weatherFile, longPath);
    longLines.pop_back();
    EXPECT_EQ(readEvaluationLines(longLines).inputs.weatherFile, longPath);
}

TEST(WeatherChoice, AFileFarFromTheSiteIsWarnedOf) {
    simulation::WeatherFile file;
    file.latitude_deg = 45.0;
    file.longitude_deg = 8.0;
    EXPECT_FALSE(weatherDistanceWarning(file, 45.3, 8.0));  // 33 km
    EXPECT_EQ(weatherDistanceWarning(file, 52.52, 13.41).value_or(""),
              "Die Wetterdatei gilt für 45,00° N, 8,00° O, 925 km vom Standort entfernt.");
    file.latitude_deg = -33.9;
    file.longitude_deg = -18.4;
    EXPECT_NE(weatherDistanceWarning(file, 45, 8).value_or("").find("33,90° S, 18,40° W"),
              std::string::npos);
}

}  // namespace
}  // namespace lumetra::evaluation
