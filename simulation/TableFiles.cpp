// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/TableFiles.h"

#include <system_error>
#include <vector>

#include "persistence/FileAccess.h"
#include "simulation/ClimateTables.h"
#include "simulation/household/HouseholdTables.h"

namespace lumetra::simulation {

namespace {

void setError(std::string* error, std::string message) {
    if (error != nullptr) {
        *error = std::move(message);
    }
}

// Whether anything of that name is there: a FIFO or a dangling link of a table's name in the
// chosen folder is the user's table too, and refused as such rather than passed over.
bool isPresent(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::exists(std::filesystem::symlink_status(path, error));
}

bool isFolder(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

bool holdsAnyTable(const std::filesystem::path& folder) {
    for (const std::string& name : hourlyTableNames()) {
        if (isPresent(folder / lumetra::pathFromUtf8(name))) {
            return true;
        }
    }
    return false;
}

// Reads the named files, each from where `locate` puts it, and hands them to `use`.
template <class Locate>
bool readAndUse(std::span<const TableName> names, const Locate& locate,
                const detail::TableFilesUse& use, DataSources& sources, std::string* error) {
    std::vector<TableFile> files;
    files.reserve(names.size());
    for (const TableName& name : names) {
        TableFile file{name, locate(name.name), {}};
        auto bytes = readTableFile(file.path, error);
        if (!bytes) {
            return false;
        }
        file.bytes = std::move(*bytes);
        files.push_back(std::move(file));
    }
    if (!use(files, error)) {
        return false;
    }
    sources.clear();
    for (const TableFile& file : files) {
        sources.push_back({file.table.kind, file.path});
    }
    return true;
}

constexpr std::string_view kShippedStandIn =
    "Der Datenordner wird nicht verwendet, es gelten die mitgelieferten Tabellen: ";

}  // namespace

std::optional<std::string> readTableFile(const std::filesystem::path& path, std::string* error) {
    std::string bytes;
    switch (lumetra::readRegularFile(path, kMaxTableFileBytes, bytes)) {
        case lumetra::ReadOpenResult::Opened:
            return bytes;
        case lumetra::ReadOpenResult::TooLarge:
            setError(error, lumetra::utf8Path(path) +
                                ": Die Datei ist zu groß für eine Tabelle (mehr als " +
                                std::to_string(kMaxTableFileBytes / (1024 * 1024)) + " MiB)");
            return std::nullopt;
        case lumetra::ReadOpenResult::NotOpened:
            break;
    }
    std::error_code statusError;
    const auto status = std::filesystem::status(path, statusError);
    if (!isPresent(path)) {
        setError(error, lumetra::utf8Path(path) + ": Die Datei wurde nicht gefunden");
    } else if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
        setError(error, lumetra::utf8Path(path) +
                            ": Das ist keine gewöhnliche Datei (ein Ordner, eine Pipe oder ein "
                            "Gerät)");
    } else {
        setError(error, lumetra::utf8Path(path) + ": Die Datei kann nicht gelesen werden");
    }
    return std::nullopt;
}

std::vector<std::string> hourlyTableNames() {
    std::vector<std::string> names = {std::string(kIrradiationFileName),
                                      std::string(kTemperatureFileName),
                                      std::string(kLoadProfileFileName)};
    for (std::string& name : householdTableFileNames()) {
        names.push_back(std::move(name));
    }
    return names;
}

namespace detail {

TableFilesLoad loadTableFiles(const TableSearch& search, std::span<const TableName> names,
                              const TableFilesUse& use) {
    TableFilesLoad load;
    const auto shipped = [&](std::string_view name) {
        return lumetra::findShippedDataFile(search.shipped, name);
    };
    const std::filesystem::path& chosen = search.chosenFolder;
    if (!chosen.empty()) {
        std::string problem;
        if (!isFolder(chosen)) {
            problem = "Der Datenordner " + lumetra::utf8Path(chosen) +
                      " fehlt oder ist kein Ordner; es gelten die mitgelieferten Tabellen";
        } else if (!holdsAnyTable(chosen)) {
            problem = "Der Datenordner " + lumetra::utf8Path(chosen) +
                      " enthält keine Tabelle der Stundenbilanz; es gelten die mitgelieferten "
                      "Tabellen";
        } else {
            const auto chosenFirst = [&](std::string_view name) {
                const std::filesystem::path own = chosen / lumetra::pathFromUtf8(name);
                return isPresent(own) ? own : shipped(name);
            };
            if (readAndUse(names, chosenFirst, use, load.sources, &problem)) {
                return load;
            }
            problem = std::string(kShippedStandIn) + problem;
        }
        load.chosenFolderProblem = std::move(problem);
    }
    readAndUse(names, shipped, use, load.sources, &load.error);
    return load;
}

}  // namespace detail

}  // namespace lumetra::simulation
