// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>

#include "persistence/DataSearch.h"

namespace lumetra::cli {

// The folder of the running program: the one the system started it from (/proc/self/exe on
// Linux), else the folder of `argv0` made absolute; empty when neither is known.
std::filesystem::path programFolder(const char* argv0);

// Where the shipped data files are looked for, as the window looks for them: the current
// folder, the copy installed beside this program, the data folder of the source tree it was
// built from.
DataSearch programDataSearch(const char* argv0);

}  // namespace lumetra::cli
