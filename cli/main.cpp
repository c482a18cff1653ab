#include <QApplication>
#include <QByteArray>
#include <QGuiApplication>

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "cli/ChartOutput.h"
#include "cli/CommandLine.h"
#include "cli/HourlyOutput.h"
#include "cli/JsonOutput.h"
#include "cli/ReportOutput.h"
#include "cli/Session.h"
#include "persistence/DataFileFormat.h"
#include "persistence/FileAccess.h"
#include "simulation/HourlyCsv.h"
#include "simulation/SimulationInput.h"

namespace {

void writeOut(std::FILE* stream, std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stream);
}

int wrongCommandLine(const std::string& message) {
    writeOut(stderr, "lumetra-cli: " + message + "\n\n");
    writeOut(stderr, lumetra::cli::usageText());
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

    // The chart needs fonts for its default size; a window system is never needed.
    std::unique_ptr<QGuiApplication> application;
    auto chartSize = [&]() -> std::pair<int, int> {
        if (line.chartWidth && line.chartHeight) {
            return {*line.chartWidth, *line.chartHeight};
        }
        return windowChartSize();
    };
    // The report's charts are graphics widgets: they need the widgets' application, off screen.
    if (line.reportPath) {
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
        application = std::make_unique<QApplication>(argc, argv);
    }
    for (const Command& command : line.commands) {
        if (command.kind == Command::Kind::Chart && !application) {
            if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
                qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
            }
            application = std::make_unique<QGuiApplication>(argc, argv);
        }
    }

    Session session(chartSize);
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
    if (line.reportPath) {
        if (std::string message = writeReport(session, *line.reportPath); !message.empty()) {
            messages.push_back(std::move(message));
        }
    }
    for (const std::string& message : messages) {
        writeOut(stderr, message + "\n");
    }
    bool failed = !messages.empty();

    // The hourly balance of the state after all commands, for the JSON and the CSV.
    std::unique_ptr<lumetra::simulation::HourlyBalance> balance;
    const lumetra::simulation::HourlyResult* hourly = nullptr;
    if (line.json || line.hourlyCsvPath) {
        std::string error;
        auto climate = lumetra::simulation::loadClimateTables(cliDataSearch(), &error);
        if (climate) {
            balance = std::make_unique<lumetra::simulation::HourlyBalance>(std::move(climate));
            hourly = &balance->run(lumetra::simulation::simulationInputFrom(
                session.calculator().state(), session.table()));
        } else {
            writeOut(stderr, "Die Stundenbilanz kann nicht gerechnet werden: " + error + "\n");
            failed = true;
        }
    }
    if (line.hourlyCsvPath && hourly != nullptr &&
        !lumetra::writeFileReplacing(*line.hourlyCsvPath,
                                     lumetra::simulation::hourlyCsv(*hourly))) {
        writeOut(stderr,
                 "Die CSV-Datei konnte nicht geschrieben werden: " + *line.hourlyCsvPath + "\n");
        failed = true;
    }

    if (line.json) {
        writeOut(stdout, stateJson(session, hourly));
    } else {
        writeOut(stdout, lumetra::dataFileBytes(session.calculator()));
    }
    // A full disk or a closed pipe must not pass for a finished run.
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        writeOut(stderr, "Die Ausgabe konnte nicht geschrieben werden\n");
        return 1;
    }
    return failed ? 1 : 0;
}
