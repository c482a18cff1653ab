// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

#include "evaluation/EvaluationInputs.h"
#include "simulation/measured/MeasuredLoad.h"

namespace lumetra::evaluation {

// Reads the chosen measured-load file for the balance's reference year; std::nullopt and one
// German message (file path, line) when it is missing or bad, saying that the simulated home
// stands in. The file is read only when it is a regular file of a table's size at most.
std::optional<simulation::MeasuredLoad> readMeasuredLoadFile(
    const MeasuredLoadChoice& choice, const simulation::MeasuredLoadTarget& target,
    std::string* message);

}  // namespace lumetra::evaluation
