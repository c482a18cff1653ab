// SPDX-License-Identifier: GPL-3.0-or-later
// The Auswertung inputs travel in the data file beside the specified lines.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>

#include <fstream>
#include <functional>
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
    test::OpeningState reloaded;
    const DataSetLoad load = loadDataSet(reloaded.calculator, path);
    ASSERT_TRUE(load.evaluationLines.has_value());
    EXPECT_EQ(load.evaluationLines->inputs, inputs);
    EXPECT_TRUE(load.evaluationLines->messages.empty());

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
    test::OpeningState opening;
    const DataSetLoad load = loadDataSet(
        opening.calculator, std::filesystem::path(LUMETRA_GOLDEN_DIR) / "two-fields.lumet");
    ASSERT_EQ(load.outcome, DataFileOutcome::Done);
    ASSERT_TRUE(load.evaluationLines.has_value());
    EXPECT_EQ(load.evaluationLines->inputs, EvaluationInputs{});
}

long peakMemory_kB() {
    struct rusage usage {};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

struct RefusedOrLargeCase {
    const char* name;
    // Makes the file to load; false when it cannot be made here.
    std::function<bool(const std::filesystem::path&)> make;
    DataFileOutcome outcome;
};

class RefusedOrLargeFile : public ::testing::TestWithParam<RefusedOrLargeCase> {};

// The file is opened and read once, in pieces: a refused file changes neither the data set nor
// the Auswertung inputs, and no file is ever held whole in memory.
TEST_P(RefusedOrLargeFile, IsReadOnceInBoundedMemory) {
    test::TemporaryFolder folder;
    const auto path = folder.path() / "datei.lumet";
    if (!GetParam().make(path)) {
        GTEST_SKIP() << "cannot make this kind of file here";
    }
    test::OpeningState opening;
    const std::string before = dataFileBytes(opening.calculator);
    const long memoryBefore_kB = peakMemory_kB();
    const DataSetLoad load = loadDataSet(opening.calculator, path);
    EXPECT_LT(peakMemory_kB() - memoryBefore_kB, 64 * 1024) << "the file was held whole";
    EXPECT_EQ(load.outcome, GetParam().outcome);
    if (load.outcome == DataFileOutcome::NotFound || load.outcome == DataFileOutcome::TooLarge) {
        EXPECT_FALSE(load.evaluationLines.has_value());
        EXPECT_EQ(dataFileBytes(opening.calculator), before);
    } else {
        ASSERT_TRUE(load.evaluationLines.has_value());
        EXPECT_EQ(load.evaluationLines->inputs.years, 44);
    }
}

// A sparse file that begins with an Auswertung line: it takes no room on the disk.
bool makeSparse(const std::filesystem::path& path, std::uintmax_t size) {
    std::ofstream(path, std::ios::binary) << "Betrachtungsdauer = 44\n";
    std::error_code error;
    std::filesystem::resize_file(path, size, error);
    return !error;
}

constexpr std::uintmax_t kMegabyte = 1024 * 1024;

INSTANTIATE_TEST_SUITE_P(
    DataFileLines, RefusedOrLargeFile,
    ::testing::Values(RefusedOrLargeCase{"Missing",
                                         [](const std::filesystem::path&) { return true; },
                                         DataFileOutcome::NotFound},
                      RefusedOrLargeCase{"Fifo",
                                         [](const std::filesystem::path& path) {
                                             return ::mkfifo(path.c_str(), 0600) == 0;
                                         },
                                         DataFileOutcome::NotFound},
                      RefusedOrLargeCase{"BeyondTheSizeLimit",
                                         [](const std::filesystem::path& path) {
                                             return makeSparse(path, 300 * kMegabyte);
                                         },
                                         DataFileOutcome::TooLarge},
                      RefusedOrLargeCase{"LargeButWithinTheLimit",
                                         [](const std::filesystem::path& path) {
                                             return makeSparse(path, 200 * kMegabyte);
                                         },
                                         DataFileOutcome::WrongFormat}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

}  // namespace
}  // namespace lumetra::evaluation
