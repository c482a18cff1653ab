// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "evaluation/EvaluationInputs.h"
#include "persistence/DataFile.h"

namespace lumetra {
class Calculator;
}

namespace lumetra::evaluation {

// The Auswertung inputs in the data file: one line per input that differs from its default,
// in the form of the file's quantity lines ("name      = value unit"), after the specified
// lines. A data set with default inputs therefore saves exactly the bytes it always did, and
// a program that does not know these lines skips them as lines that name no entry.
// The weather file and the data folder follow them as "Wetterdatei = <path>" and
// "Datenordner = <path>", the path's bytes outside printable ASCII (and blanks and "%") written
// as %XX, so that any path survives the file's code page.
std::string evaluationInputLines(const EvaluationInputs& inputs);

// The labels of the lines that hold a path.
inline constexpr std::string_view kWeatherFileLabel = "Wetterdatei";
// The value of an input's line that follows the main window (a price that is not the
// Auswertung's own).
inline constexpr std::string_view kFollowsMainWindowText = "wie Hauptfenster";
inline constexpr std::string_view kDataFolderLabel = "Datenordner";

// The household's load: "Lastprofil Haushalt = <the choice's text>", "Anderer Haushalt = <n>",
// the measured file's path and column (escaped like a path), its unit ("Wh", "kWh", "W", "kW")
// and "Lastgang Skalierung = auf Jahresverbrauch" (else "wie gemessen"); each only when it is
// not the default.
inline constexpr std::string_view kHouseholdProfileLabel = "Lastprofil Haushalt";
inline constexpr std::string_view kOtherHomeLabel = "Anderer Haushalt";
inline constexpr std::string_view kMeasuredFileLabel = "Lastgangdatei";
inline constexpr std::string_view kMeasuredColumnLabel = "Lastgang Spalte";
inline constexpr std::string_view kMeasuredUnitLabel = "Lastgang Einheit";
inline constexpr std::string_view kMeasuredScalingLabel = "Lastgang Skalierung";
inline constexpr std::string_view kAsMeasuredText = "wie gemessen";
inline constexpr std::string_view kScaledToAnnualText = "auf Jahresverbrauch";

// What a data file's Auswertung lines set: every input without a line takes its default, a
// value out of range is limited to it. A line that names an input but whose value cannot be
// read whole as the program writes it (a number with a decimal point, then nothing but the
// input's unit) sets nothing and gets a message naming the line, so that "2,5" never passes
// for 2 and "1.350,00" never for 1.35.
struct EvaluationLines {
    EvaluationInputs inputs;
    std::vector<std::string> messages;
};

// Reads the Auswertung lines one by one as the data file's reader passes them on
// (DataFileLineObserver). Lines of the specified data set are not looked at.
class EvaluationLineReader {
  public:
    // One piece of a line as the data file's reader passes it on: a line longer than its pieces
    // (a long weather file path, written escaped) arrives in several pieces of one number, and
    // is read whole once its last piece is in.
    void readLine(std::size_t lineNumber, std::string_view piece);
    // The inputs read so far and the messages (a few, then how many more lines were not read).
    EvaluationLines result();

  private:
    void readWholeLine(std::size_t lineNumber, std::string_view line);

    EvaluationLines lines_;
    std::size_t unreadLines_ = 0;
    std::string pending_;  // the pieces of a long line so far
    std::size_t pendingLineNumber_ = 0;
};

// Sets one input from "LABEL=VALUE" as lumetra-cli's --set gives it: LABEL its data-file
// label, VALUE as its line holds it (a number with a decimal point, optionally its unit, or
// "wie Hauptfenster"). Unlike a line, a value out of range is refused, not limited. Returns an
// empty text, or the one line saying why nothing was set.
std::string setInputFromText(EvaluationInputs& inputs, std::string_view assignment);

// The Auswertung lines of a data file's text.
EvaluationLines readEvaluationLines(std::string_view fileText);

// "Laden" of a data set: the specified load of the calculator (loadDataFile) and the
// Auswertung lines, from one read of the file.
struct DataSetLoad {
    DataFileOutcome outcome = DataFileOutcome::NotFound;
    // Empty when the file was refused (NotFound, TooLarge): the load changed nothing, the
    // Auswertung inputs neither.
    std::optional<EvaluationLines> evaluationLines;
};
DataSetLoad loadDataSet(Calculator& calculator, const std::filesystem::path& path);

}  // namespace lumetra::evaluation
