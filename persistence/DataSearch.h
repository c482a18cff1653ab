// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

namespace lumetra {

// Where the program looks for a shipped data file. The location database is looked for in this
// order: the current directory (a user's own file wins), the copy installed with the program
// (<program folder>/../share/lumetra), and the data folder of the source tree the program was
// built from (so that a program started from its build folder finds the shipped copy too).
// The tables of the hourly balance are looked for only in the last two, so that a file that
// happens to lie in the current directory never changes a result unasked. An empty folder is
// not searched.
struct DataSearch {
    std::filesystem::path currentDir;
    std::filesystem::path applicationDir;
    std::filesystem::path buildDataDir;
};

// The candidate paths of the file `name` (which may hold a subfolder) in search order.
std::vector<std::filesystem::path> dataFileCandidates(const DataSearch& search,
                                                      std::string_view name);
// The same without the current directory: the shipped copies only.
std::vector<std::filesystem::path> shippedDataFileCandidates(const DataSearch& search,
                                                             std::string_view name);

// The first candidate that is a regular file. When there is none, the path in the current
// directory (or the bare name when no folder is known): opening it fails and the caller
// reports that the file could not be opened.
std::filesystem::path findDataFile(const DataSearch& search, std::string_view name);

// The first shipped candidate that is a regular file. When there is none, the first shipped
// candidate (or the bare name when no folder is known), so that the caller's message names
// where the file belongs.
std::filesystem::path findShippedDataFile(const DataSearch& search, std::string_view name);

}  // namespace lumetra
