// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace lumetra::evaluation {
class Evaluation;
struct Spread;
}  // namespace lumetra::evaluation

namespace lumetra::cli {

class Session;

// Writes the Auswertung's PDF report of the session's state, as the window's "PDF-Bericht"
// does, from the evaluation every output of the run uses (the Auswertung inputs of the last
// data file loaded and of --set, its weather file perhaps replaced by --weather, its data
// folder by --data-dir, and the tables read for that folder); `climateError` says why it has
// no hourly balance, if so; `spread`, when given, the spread of simulated homes it shows.
// Returns an empty text or the message of a failure.
std::string writeReport(const Session& session, const evaluation::Evaluation& evaluation,
                        const std::string& path, const std::string& climateError,
                        const evaluation::Spread* spread = nullptr);

}  // namespace lumetra::cli
