// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "simulation/DataSources.h"

namespace lumetra::simulation {
struct HourlyResult;
}
namespace lumetra::evaluation {
class Evaluation;
struct Spread;
}  // namespace lumetra::evaluation

namespace lumetra::cli {

class Session;

// The state as a UTF-8 JSON object: the 42 quantities (index, id, German label and unit, field
// text, value, state), the field rows (texts, the numbers they stand for and backgrounds of
// columns 1..7), the monthly figures and the totals, under "hourly" the hourly balance (null
// when it could not be run) with the files it read (`sources`), and under "evaluation" the
// Auswertung's money and variants of the same balance (null without it).
std::string stateJson(const Session& session, const simulation::HourlyResult* hourly = nullptr,
                      const evaluation::Evaluation* evaluation = nullptr,
                      const simulation::DataSources& sources = {},
                      const evaluation::Spread* spread = nullptr);

}  // namespace lumetra::cli
