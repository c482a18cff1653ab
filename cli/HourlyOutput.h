// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include <QJsonObject>

#include <string>
#include <vector>

#include "evaluation/EvaluationInputs.h"
#include "persistence/DataSearch.h"
#include "simulation/ClimateTables.h"
#include "simulation/DataSources.h"
#include "simulation/HourlyBalance.h"

namespace lumetra::evaluation {
class Evaluation;
struct Spread;
}  // namespace lumetra::evaluation

namespace lumetra::cli {

// The hourly balance as the JSON object under "hourly": {"annual": {...}, "monthly": {...},
// "sources": [...]}, the monthly object with the annual object's flow keys and twelve numbers
// each. The annual object also says which weather year was used ("weather": "synthetic" or
// "imported") and its global horizontal irradiation ("irradiation_kWh_per_m2"); "sources" names
// each file the balance read ({"kind": "irradiation", "path": "/usr/share/lumetra/..."}).
// The annual object names the household's course used ("demandProfile": "simulated",
// "standard" or "measured"); with a spread, "spread" holds it ({"homes": N, "selfSufficiency":
// {"p10", "p50", "p90"}, "selfConsumptionShare": {...}, "npv_EUR": {...}, "sizingBand":
// [{"battery_kWh", "p10", "p50", "p90"}, ...]}).
QJsonObject hourlyJson(const simulation::HourlyResult& result,
                       const simulation::DataSources& sources = {},
                       const evaluation::Spread* spread = nullptr);

// The tables of the command line's hourly balance: those of `folder` (--data-dir, else the
// data folder the last data file names) where it holds them, else the shipped ones. A refused
// folder adds a message; the shipped tables stand in.
simulation::ClimateTablesLoad commandLineTables(const DataSearch& search, const std::string& folder,
                                                std::vector<std::string>& messages);

// The files the command line's hourly balance read, each with its full path: the tables and
// the weather file, when its year is in use.
// and the measured load file, when it is in use.
simulation::DataSources commandLineSources(const simulation::ClimateTablesLoad& tables,
                                           const std::string& weatherPath, bool weatherInUse,
                                           const std::string& measuredPath = {},
                                           bool measuredInUse = false);

// `path` made absolute against the current folder, as UTF-8.
std::string absoluteUtf8Path(const std::string& path);

// The messages of the command line's weather year, which the evaluation read with its inputs
// (--weather, or the file the last data file names): why a file could not be read (the
// synthesized year stands in), or a warning when it lies far from the site.
void addWeatherMessages(const evaluation::Evaluation& evaluation,
                        std::vector<std::string>& messages);

// Applies --demand-profile and --demand-column to the Auswertung inputs: "simulated",
// "standard", or the path of a measured file (made absolute).
void applyDemandProfile(evaluation::EvaluationInputs& inputs,
                        const std::optional<std::string>& profile,
                        const std::optional<std::string>& column);

}  // namespace lumetra::cli
