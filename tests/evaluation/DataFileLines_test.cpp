// SPDX-License-Identifier: GPL-3.0-or-later
// The Auswertung inputs travel in the data file beside the specified lines.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "evaluation/EvaluationFileLines.h"
#include "persistence/DataFile.h"
#include "persistence/DataFileFormat.h"
#include "test_support/ModelStates.h"
#include "test_support/OpeningState.h"
#include "test_support/TestSupport.h"

namespace lumetra::evaluation {
namespace {

std::string fileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(DataFileLines, DefaultInputsLeaveTheFileByteForByteAsBefore) {
    test::TemporaryFolder folder;
    test::OpeningState opening;
    const auto path = folder.path() / "default.lumet";
    ASSERT_EQ(saveDataFile(opening.calculator, path, evaluationInputLines(EvaluationInputs{})),
              DataFileOutcome::Done);
    EXPECT_EQ(fileBytes(path), dataFileBytes(opening.calculator));
}

TEST(DataFileLines, ChangedInputsFollowTheSpecifiedLinesAndReadBack) {
    test::TemporaryFolder folder;
    test::OpeningState opening;
    opening.type(HouseholdElectricity, "4000");
    EvaluationInputs inputs;
    inputs.investmentPerKWp_EUR = 1300;
    inputs.batteryCapacity_kWh = 10;
    const auto path = folder.path() / "changed.lumet";
    ASSERT_EQ(saveDataFile(opening.calculator, path, evaluationInputLines(inputs)),
              DataFileOutcome::Done);
    const std::string bytes = fileBytes(path);
    const std::string specified = dataFileBytes(opening.calculator);
    ASSERT_EQ(bytes.substr(0, specified.size()), specified);
    EXPECT_EQ(bytes.substr(specified.size()), evaluationInputLines(inputs));
    EXPECT_EQ(readEvaluationInputsFile(path), inputs);

    // The calculator reads such a file exactly as one without the lines.
    test::OpeningState withLines;
    test::OpeningState without;
    const auto plain = folder.path() / "plain.lumet";
    ASSERT_EQ(saveDataFile(opening.calculator, plain), DataFileOutcome::Done);
    ASSERT_EQ(loadDataFile(withLines.calculator, path), DataFileOutcome::Done);
    ASSERT_EQ(loadDataFile(without.calculator, plain), DataFileOutcome::Done);
    withLines.runPosted();
    without.runPosted();
    EXPECT_EQ(withLines.calculator.state().values, without.calculator.state().values);
    EXPECT_EQ(test::stateString(withLines.calculator.state()),
              test::stateString(without.calculator.state()));
    EXPECT_EQ(withLines.table.rowCount(), without.table.rowCount());
}

TEST(DataFileLines, AnOlderFileGivesTheDefaultInputs) {
    const auto inputs =
        readEvaluationInputsFile(std::filesystem::path(LUMETRA_GOLDEN_DIR) / "two-fields.lumet");
    ASSERT_TRUE(inputs.has_value());
    EXPECT_EQ(*inputs, EvaluationInputs{});
    EXPECT_FALSE(readEvaluationInputsFile("/nonexistent/folder/file.lumet").has_value());
}

}  // namespace
}  // namespace lumetra::evaluation
