// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

#include "evaluation/EvaluationInputs.h"
#include "simulation/ClimateTables.h"
#include "simulation/HourlyBalance.h"
#include "simulation/measured/MeasuredLoad.h"

namespace lumetra::evaluation {

// The axis a measured year is laid on for the hourly balance of `input`: the reference year in
// the site's local standard time (as the balance counts it, with `climate`'s irradiation grid;
// nothing: as outside it).
simulation::MeasuredLoadTarget measuredLoadTarget(const simulation::SimulationInput& input,
                                                  const simulation::ClimateTables* climate);

// Reads the chosen measured-load file for the balance's reference year; std::nullopt and one
// German message (file path, line) when it is missing or bad, saying that the simulated home
// stands in. The file is read only when it is a regular file of a table's size at most.
std::optional<simulation::MeasuredLoad> readMeasuredLoadFile(
    const MeasuredLoadChoice& choice, const simulation::MeasuredLoadTarget& target,
    std::string* message);

}  // namespace lumetra::evaluation
