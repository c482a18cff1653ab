// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "persistence/DataSearch.h"
#include "simulation/DataSources.h"

namespace lumetra::simulation {

// Where the tables of the hourly balance come from: the copies shipped with the program (found
// by `shipped`, never in the current directory), unless the user chose a data folder of his
// own. A table the chosen folder holds (under the shipped name, subfolder included) replaces
// the shipped one; a table it does not hold stays the shipped one.
struct TableSearch {
    lumetra::DataSearch shipped;
    std::filesystem::path chosenFolder;  // empty: the shipped tables
};

// A table is never larger than this: the shipped ones are at most 240 kB, and a 0.1° grid over
// Europe takes about 20 MB.
inline constexpr std::uintmax_t kMaxTableFileBytes = std::uintmax_t{32} * 1024 * 1024;

// A table's file: its name (relative to the data folder), what it holds, and where it lies.
struct TableName {
    std::string name;
    DataSourceKind kind;
};
struct TableFile {
    TableName table;
    std::filesystem::path path;
    std::string bytes;
};

// The bytes of a table's file, read only when it is a regular file of at most
// kMaxTableFileBytes (never waiting on a FIFO, never reading a huge file whole); else nothing
// and a German message that names the path and says why.
std::optional<std::string> readTableFile(const std::filesystem::path& path, std::string* error);

// A set of tables as loaded.
template <class Tables>
struct TableLoad {
    // Nothing when not even the shipped tables could be read (`error` says why).
    std::shared_ptr<const Tables> tables;
    DataSources sources;                 // the files `tables` were read from
    std::filesystem::path chosenFolder;  // as asked for
    std::string chosenFolderProblem;     // why the chosen folder's tables are not in use
    std::string error;
};

// Makes tables of the files' bytes (in the order of the names asked for); nothing and a message
// naming the file's path and the line when one of them is malformed or implausible.
template <class Tables>
using TableParser =
    std::function<std::shared_ptr<const Tables>(std::span<const TableFile>, std::string* error)>;

namespace detail {
struct TableFilesLoad {
    DataSources sources;
    std::string chosenFolderProblem;
    std::string error;
};
// Reads the files from the chosen folder where it holds them, else the shipped copies, and
// hands them to `use`; when that fails for the chosen folder, the shipped copies are read and
// handed on instead, and the chosen folder's problem says why.
using TableFilesUse = std::function<bool(std::span<const TableFile>, std::string* error)>;
TableFilesLoad loadTableFiles(const TableSearch& search, std::span<const TableName> names,
                              const TableFilesUse& use);
}  // namespace detail

// Loads a set of tables as the search says. A chosen folder that is no folder, holds none of
// the hourly balance's tables, or holds one that cannot be read or is refused, is not used:
// `chosenFolderProblem` says why (naming the file and its line) and the shipped tables stand
// in.
template <class Tables>
TableLoad<Tables> loadTables(const TableSearch& search, std::span<const TableName> names,
                             const TableParser<Tables>& parse) {
    TableLoad<Tables> load;
    load.chosenFolder = search.chosenFolder;
    detail::TableFilesLoad files = detail::loadTableFiles(
        search, names, [&](std::span<const TableFile> read, std::string* error) {
            load.tables = parse(read, error);
            return load.tables != nullptr;
        });
    load.sources = std::move(files.sources);
    load.chosenFolderProblem = std::move(files.chosenFolderProblem);
    load.error = std::move(files.error);
    return load;
}

// The file names of every table of the hourly balance, relative to a data folder.
std::vector<std::string> hourlyTableNames();

}  // namespace lumetra::simulation
