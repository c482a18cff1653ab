// SPDX-License-Identifier: GPL-3.0-or-later
// The household's load among the Auswertung inputs: its data-file lines and the measured file.
#include <gtest/gtest.h>

#include <fstream>

#include "evaluation/Evaluation.h"
#include "evaluation/EvaluationFileLines.h"
#include "evaluation/MeasuredLoadFile.h"
#include "simulation/measured/MeasuredSupport.h"
#include "test_support/OpeningState.h"
#include "test_support/TestSupport.h"

namespace lumetra::evaluation {
namespace {

EvaluationInputs measuredChoice(std::string file, std::string column) {
    EvaluationInputs inputs;
    inputs.householdProfile = HouseholdProfile::Measured;
    inputs.otherHome = 17;
    inputs.measuredLoad.file = std::move(file);
    inputs.measuredLoad.column = std::move(column);
    inputs.measuredLoad.unit = simulation::MeasuredUnit::W;
    inputs.measuredLoad.scaledToAnnual = true;
    return inputs;
}

TEST(HouseholdLoadLines, EveryChoiceReadsBackAndDefaultsWriteNothing) {
    const EvaluationInputs chosen[] = {
        measuredChoice("/home/jörg/Zähler 100%/last.csv", "Bezug [W]; Zähler 1"),
        measuredChoice("C:\\Messung\\a=b.csv", "3"),
        [] {
            EvaluationInputs standard;
            standard.householdProfile = HouseholdProfile::Standard;
            return standard;
        }(),
    };
    for (const EvaluationInputs& inputs : chosen) {
        const std::string lines = evaluationInputLines(inputs);
        // Every byte of a line stays printable ASCII: the data file's code page cannot harm it.
        for (const char c : lines) {
            EXPECT_TRUE(c == '\n' || (c >= 0x20 && c < 0x7F)) << lines;
        }
        const EvaluationLines read = readEvaluationLines(lines);
        EXPECT_EQ(read.inputs, inputs) << lines;
        EXPECT_TRUE(read.messages.empty());
    }
    EvaluationInputs defaults;
    defaults.measuredLoad.scaledToAnnual = false;
    EXPECT_EQ(evaluationInputLines(defaults), "");
}

TEST(HouseholdLoadLines, UnreadableValuesSetNothingAndNameTheLine) {
    const EvaluationLines read = readEvaluationLines(
        "Lastprofil Haushalt = Mittelwert\n"
        "Anderer Haushalt = 2.5\n"
        "Anderer Haushalt = -1\n"
        "Lastgang Einheit = MWh\n"
        "Lastgang Skalierung = ja\n"
        "Anderer Haushalt = 99999999999\n");
    EXPECT_EQ(read.inputs, EvaluationInputs{});
    ASSERT_EQ(read.messages.size(), 6u);
    EXPECT_NE(read.messages[0].find("Zeile 1 "), std::string::npos) << read.messages[0];
    EXPECT_NE(read.messages[4].find("Zeile 5 "), std::string::npos) << read.messages[4];
    // A large but whole number is limited, not refused.
    EXPECT_EQ(readEvaluationLines("Anderer Haushalt = 123456\n").inputs.otherHome, kMaxOtherHome);
}

TEST(HouseholdLoadLines, SetFromTheCommandLineRefusesWhatALineWouldRefuse) {
    EvaluationInputs inputs;
    EXPECT_EQ(setInputFromText(inputs, "Anderer Haushalt=4"), "");
    EXPECT_EQ(inputs.otherHome, 4);
    EXPECT_NE(setInputFromText(inputs, "Lastprofil Haushalt=H0"), "");
    EXPECT_EQ(inputs.householdProfile, HouseholdProfile::Simulated);
    EXPECT_EQ(setInputFromText(inputs, "Lastprofil Haushalt=Standardlastprofil (BDEW H25)"), "");
    EXPECT_EQ(inputs.householdProfile, HouseholdProfile::Standard);
}

TEST(MeasuredLoadFile, AMissingOrBadFileNamesItselfAndTheSimulatedHomeStandsIn) {
    test::TemporaryFolder folder;
    const simulation::MeasuredLoadTarget target{2025, 60};
    MeasuredLoadChoice choice;
    std::string message;
    EXPECT_FALSE(readMeasuredLoadFile(choice, target, &message));
    EXPECT_NE(message.find("keine Lastgangdatei"), std::string::npos) << message;

    choice.file = (folder.path() / "fehlt.csv").string();
    EXPECT_FALSE(readMeasuredLoadFile(choice, target, &message));
    EXPECT_NE(message.find(choice.file), std::string::npos) << message;
    EXPECT_NE(message.find("simulierten Einzelhaushalt"), std::string::npos) << message;

    test::MeasuredFile measured;
    std::string text = measured.text();
    const std::size_t line5 = [&] {
        std::size_t at = 0;
        for (int i = 0; i < 4; ++i) {
            at = text.find('\n', at) + 1;
        }
        return at;
    }();
    text.insert(text.find(';', line5) + 1, "x");  // "x0,25" on line 5
    choice.file = (folder.path() / "kaputt.csv").string();
    std::ofstream(choice.file, std::ios::binary) << text;
    EXPECT_FALSE(readMeasuredLoadFile(choice, target, &message));
    EXPECT_NE(message.find(choice.file), std::string::npos) << message;
    EXPECT_NE(message.find("5"), std::string::npos) << message;

    std::ofstream(choice.file, std::ios::binary) << measured.text();
    const auto load = readMeasuredLoadFile(choice, target, &message);
    ASSERT_TRUE(load);
    EXPECT_NEAR(load->annual_kWh, 0.25 * 35040, 1e-6);
}

TEST(MeasuredLoadFile, ADataSetNamingAMissingFileKeepsItAndEverythingElse) {
    DataSearch search;
    search.buildDataDir = LUMETRA_DATA_DIR;
    std::string error;
    Evaluation evaluation(simulation::loadClimateTables(search, &error));
    test::OpeningState opening;
    evaluation.update(opening.calculator.state(), opening.table);
    const double simulatedDemand = evaluation.hourlyResult()->annual.demand_kWh;
    const EvaluationLines read = readEvaluationLines(
        "Betrachtungsdauer = 25\n"
        "Lastprofil Haushalt = Gemessen (Datei)\n"
        "Lastgangdatei = /nirgends/zaehler.csv\n");
    evaluation.setInputs(read.inputs);
    // Said at once, before the balance runs again.
    EXPECT_NE(evaluation.measuredLoadProblem().find("/nirgends/zaehler.csv"), std::string::npos);
    evaluation.update(opening.calculator.state(), opening.table);
    const simulation::HourlyResult& result = *evaluation.hourlyResult();
    EXPECT_EQ(result.householdLoad, simulation::HouseholdLoad::Simulated);
    EXPECT_EQ(result.annual.demand_kWh, simulatedDemand);
    EXPECT_EQ(evaluation.inputs(), read.inputs);  // kept for the next save
    for (const simulation::DataSource& source : evaluation.dataSources()) {
        EXPECT_NE(source.kind.key, simulation::kMeasuredLoadSource.key);
    }
}

}  // namespace
}  // namespace lumetra::evaluation
