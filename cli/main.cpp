// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "cli/ChartOutput.h"
#include "cli/CommandLine.h"
#include "cli/JsonOutput.h"
#include "cli/ProgramFolder.h"
#include "cli/Session.h"
#include "energy/MonthlyChart.h"
#include "persistence/DataFileFormat.h"

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

    // Without a size the chart has the window's chart area in the template font.
    auto chartSize = [&]() -> std::pair<int, int> {
        if (line.chartWidth && line.chartHeight) {
            return {*line.chartWidth, *line.chartHeight};
        }
        return {lumetra::kDefaultChartWidth, lumetra::kDefaultChartHeight};
    };

    Session session(chartSize, programDataSearch(argc > 0 ? argv[0] : nullptr));
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

    for (const std::string& message : session.messages()) {
        writeOut(stderr, message + "\n");
    }
    if (line.json) {
        writeOut(stdout, stateJson(session));
    } else {
        writeOut(stdout, lumetra::dataFileBytes(session.calculator()));
    }
    // A full disk or a closed pipe must not pass for a finished run.
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        writeOut(stderr, "Die Ausgabe konnte nicht geschrieben werden\n");
        return 1;
    }
    return session.messages().empty() ? 0 : 1;
}
