// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "evaluation/EvaluationInputs.h"

namespace lumetra::evaluation {

// The Auswertung inputs in the data file: one line per input that differs from its default,
// in the form of the file's quantity lines ("name      = value unit"), after the specified
// lines. A data set with default inputs therefore saves exactly the bytes it always did, and
// a program that does not know these lines skips them as lines that name no entry.
// The weather file follows them as "Wetterdatei = <path>", the path's bytes outside printable
// ASCII (and blanks and "%") written as %XX, so that any path survives the file's code page.
std::string evaluationInputLines(const EvaluationInputs& inputs);

// The label of the weather file's line.
inline constexpr std::string_view kWeatherFileLabel = "Wetterdatei";

// The inputs a data file's text sets: every input without a line (or with a value that is not
// a number) takes its default, a value out of range is limited to it. Lines of the specified
// data set are not looked at.
EvaluationInputs readEvaluationInputs(std::string_view fileText);

// The same from a file; nothing when it cannot be opened or read.
std::optional<EvaluationInputs> readEvaluationInputsFile(const std::filesystem::path& path);

}  // namespace lumetra::evaluation
