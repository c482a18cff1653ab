// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <memory>

#include "persistence/DataSearch.h"

namespace lumetra::simulation {
class ClimateTables;
}

namespace lumetra {

// Where the window looks for the shipped climate tables and the load profile: the current
// directory, the installed copy beside the program, the source tree's data folder.
DataSearch windowDataSearch();

// The climate tables, or nothing with the reason in `error`.
std::shared_ptr<const simulation::ClimateTables> loadWindowClimateTables(QString* error);

}  // namespace lumetra
