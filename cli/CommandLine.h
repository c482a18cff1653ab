// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/Quantity.h"

namespace lumetra::cli {

// One step of the command line, applied in order.
struct Command {
    enum class Kind { Load, Type, Toggle, Cell, DeleteRow, Location, Save, Chart, Set };
    Kind kind = Kind::Load;
    QuantityId quantity = Latitude;  // Type, Toggle
    int row = 0;                     // Cell, DeleteRow: 1-based display row
    int column = 0;                  // Cell: 1..5
    std::string text;                // Type, Cell: the text; Load, Save, Chart: the path;
                                     // Location: the place name; Set: LABEL=VALUE
};

struct CommandLine {
    std::vector<Command> commands;
    bool json = false;
    bool help = false;
    bool version = false;           // --version: the program's version and licence
    bool listLocations = false;     // --list-locations: the places of the location database
    std::optional<int> chartWidth;  // from --chart-size
    std::optional<int> chartHeight;
    std::optional<std::string> hourlyCsvPath;  // from --hourly-csv
    std::optional<std::string> reportPath;     // from --report: the Auswertung's PDF report
    std::optional<std::string> weatherPath;    // from --weather: the hourly balance's weather
    bool germanCsv = false;                    // from --csv-format de: ";" and decimal comma
    std::optional<std::string> dataDir;        // from --data-dir: the hourly balance's tables
    // From --demand-profile: "simulated", "standard" or a measured file's path.
    std::optional<std::string> demandProfile;
    std::optional<std::string> demandColumn;  // from --demand-column: a name or a number
    std::optional<int> spreadHomes;           // from --spread N: the spread of N homes
};

// The largest --spread.
inline constexpr int kMaxSpreadHomes = 1000;

// Parses the arguments (without the program name). Throws std::invalid_argument with a message
// for a wrong command line.
CommandLine parseCommandLine(const std::vector<std::string>& arguments);

// A quantity by index 0..41 or by identifier ("Latitude").
std::optional<QuantityId> parseQuantity(std::string_view text);

// The text printed by --help: the commands, then every quantity's index and identifier with
// the German label and unit of the quantity table.
std::string usageText();

// What a wrong command line prints: the one line saying what is wrong, and where to read more.
std::string wrongCommandLineText(std::string_view message);

// What --version prints: the program, its version, its licence.
std::string versionText();

// A message line of the program (without the line end): "lumetra-cli: message".
std::string programMessage(std::string_view message);
// The message line of a fault of one file: "lumetra-cli: FILE: message".
std::string fileMessage(std::string_view path, std::string_view message);

}  // namespace lumetra::cli
