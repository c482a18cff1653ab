// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "persistence/DataSearch.h"

namespace lumetra {

// Where the window looks for shipped data files such as the location database: the current
// directory (a user's own file wins), the copy installed with the program
// (<program folder>/../share/lumetra), and the data folder of the source tree the program was
// built from. The search itself (findDataFile) is the core's, so lumetra-cli finds the same
// files.
DataSearch defaultDataSearch();

}  // namespace lumetra
