// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include "simulation/HourlyCsv.h"

namespace lumetra::evaluation {
class Evaluation;
}

namespace lumetra {

// The quarter hours of the evaluation's hourly balance as CSV, the same text lumetra-cli
// writes with --hourly-csv and --csv-format. False when there is no hourly result or the file
// cannot be written (an existing file then stays as it was).
bool writeHourlyCsvExport(const QString& path, const evaluation::Evaluation& evaluation,
                          simulation::CsvFormat format);

}  // namespace lumetra
