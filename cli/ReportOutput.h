// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "evaluation/EvaluationInputs.h"
#include "simulation/ClimateTables.h"

namespace lumetra::cli {

class Session;

// Writes the Auswertung's PDF report of the session's state, as the window's "PDF-Bericht"
// does, with the Auswertung inputs given (those of the last data file loaded, its weather file
// perhaps replaced by --weather, its data folder by --data-dir) and the tables read for that
// folder. Returns an empty text or the message of a failure.
std::string writeReport(const Session& session, const evaluation::EvaluationInputs& inputs,
                        const std::string& path, const simulation::ClimateTablesLoad& tables);

}  // namespace lumetra::cli
