// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdio>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "cli/ChartOutput.h"
#include "cli/CommandLine.h"
#include "cli/HourlyOutput.h"
#include "cli/JsonOutput.h"
#include "cli/ProgramFolder.h"
#ifdef LUMETRA_CLI_REPORT
#include "cli/ReportOutput.h"
#endif
#include "cli/Session.h"
#include "energy/MonthlyChart.h"
#include "evaluation/Evaluation.h"
#include "evaluation/Spread.h"
#include "persistence/DataFileFormat.h"
#include "persistence/FileAccess.h"
#include "simulation/ClimateTables.h"
#include "simulation/HourlyCsv.h"

namespace {

void writeOut(std::FILE* stream, std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stream);
}

int wrongCommandLine(const std::string& message) {
    writeOut(stderr, lumetra::cli::wrongCommandLineText(message));
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace lumetra::cli;
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    CommandLine line;
    try {
        line = parseCommandLine(arguments);
    } catch (const std::invalid_argument& error) {
        return wrongCommandLine(error.what());
    }
    if (line.help) {
        writeOut(stdout, usageText());
        return 0;
    }
    if (line.version) {
        writeOut(stdout, versionText());
        return 0;
    }

    // Without a size the chart has the window's chart area in the template font.
    auto chartSize = [&]() -> std::pair<int, int> {
        if (line.chartWidth && line.chartHeight) {
            return {*line.chartWidth, *line.chartHeight};
        }
        return {lumetra::kDefaultChartWidth, lumetra::kDefaultChartHeight};
    };
    const lumetra::DataSearch dataSearch = programDataSearch(argc > 0 ? argv[0] : nullptr);
    Session session(chartSize, dataSearch);
    if (line.listLocations) {
        std::string list;
        for (const std::string& name : session.placeNames()) {
            list += name + "\n";
        }
        writeOut(stdout, list);
        for (const std::string& message : session.messages()) {
            writeOut(stderr, message + "\n");
        }
        return session.messages().empty() ? 0 : 1;
    }
    try {
        for (const Command& command : line.commands) {
            session.apply(command);
        }
    } catch (const std::invalid_argument& error) {
        for (const std::string& message : session.messages()) {
            writeOut(stderr, message + "\n");
        }
        return wrongCommandLine(error.what());
    }

    std::vector<std::string> messages = session.messages();
    // The hourly balance's weather: --weather, else the weather file of the last data file.
    lumetra::evaluation::EvaluationInputs inputs = session.evaluationInputs();
    inputs.weatherFile = line.weatherPath.value_or(inputs.weatherFile);
    applyDemandProfile(inputs, line.demandProfile, line.demandColumn);
    // One evaluation for every output (JSON, CSV, report): the same battery, prices and limits
    // of the Auswertung, so the same figures. Its tables: those of --data-dir, else of the data
    // folder the last data file names, else the shipped ones; never a copy that happens to lie
    // in the current folder.
    std::unique_ptr<lumetra::evaluation::Evaluation> evaluation;
    lumetra::simulation::ClimateTablesLoad tables;
    if (line.json || line.hourlyCsvPath || line.reportPath) {
        const std::string folder = line.dataDir.value_or(inputs.dataFolder);
        inputs.dataFolder = folder.empty() ? folder : absoluteUtf8Path(folder);
        tables = commandLineTables(dataSearch, inputs.dataFolder, messages);
        evaluation = std::make_unique<lumetra::evaluation::Evaluation>(nullptr);
        evaluation->setInputs(inputs);
        evaluation->takeTables(tables);
        evaluation->update(session.calculator().state(), session.table());
        addWeatherMessages(*evaluation, messages);
    }
    // The spread of simulated homes, for the JSON and the report alike.
    std::optional<lumetra::evaluation::Spread> spread;
    if (line.spreadHomes && evaluation != nullptr && evaluation->hourlyResult() != nullptr) {
        if (const auto request = evaluation->spreadRequest()) {
            spread = lumetra::evaluation::computeSpread(*request, *line.spreadHomes);
        }
        if (!spread) {
            messages.push_back(
                programMessage("Die Streuung gibt es nur für den simulierten "
                               "Einzelhaushalt (--demand-profile simulated)"));
        }
    }
    if (line.reportPath) {
#ifdef LUMETRA_CLI_REPORT
        if (std::string message = writeReport(session, *evaluation, *line.reportPath, tables.error,
                                              spread ? &*spread : nullptr);
            !message.empty()) {
            messages.push_back(fileMessage(*line.reportPath, message));
        }
#else
        messages.push_back(fileMessage(*line.reportPath,
                                       "Der Bericht kann nicht geschrieben werden: dieses "
                                       "lumetra-cli wurde ohne die Auswertung gebaut"));
#endif
    }
    for (const std::string& message : messages) {
        writeOut(stderr, message + "\n");
    }
    bool failed = !messages.empty();

    const lumetra::simulation::HourlyResult* hourly =
        evaluation != nullptr ? evaluation->hourlyResult() : nullptr;
    if ((line.json || line.hourlyCsvPath) && evaluation != nullptr &&
        !evaluation->hasHourlyBalance()) {
        writeOut(stderr,
                 programMessage("Die Stundenbilanz kann nicht gerechnet werden: " + tables.error) +
                     "\n");
        failed = true;
    }
    const auto csvFormat = line.germanCsv ? lumetra::simulation::CsvFormat::German
                                          : lumetra::simulation::CsvFormat::English;
    if (line.hourlyCsvPath && hourly != nullptr &&
        !lumetra::writeFileReplacing(*line.hourlyCsvPath,
                                     lumetra::simulation::hourlyCsv(*hourly, csvFormat))) {
        writeOut(stderr,
                 fileMessage(*line.hourlyCsvPath, "Die CSV-Datei konnte nicht geschrieben werden") +
                     "\n");
        failed = true;
    }

    if (line.json) {
        const bool measuredInUse =
            hourly != nullptr &&
            hourly->householdLoad == lumetra::simulation::HouseholdLoad::Measured;
        writeOut(stdout, stateJson(session, hourly, evaluation.get(),
                                   commandLineSources(tables, inputs.weatherFile,
                                                      evaluation->weather() != nullptr,
                                                      inputs.measuredLoad.file, measuredInUse),
                                   spread ? &*spread : nullptr));
    } else {
        writeOut(stdout, lumetra::dataFileBytes(session.calculator()));
    }
    // A full disk or a closed pipe must not pass for a finished run.
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        writeOut(stderr, programMessage("Die Ausgabe konnte nicht geschrieben werden") + "\n");
        return 1;
    }
    return failed ? 1 : 0;
}
