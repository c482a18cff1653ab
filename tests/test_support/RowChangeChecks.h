// SPDX-License-Identifier: GPL-3.0-or-later
// Checks shared by every implementation of the module-field table port: its change tracking,
// and the yield and row formatting kept between runs against a walk over all rows.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "model/MemoryModuleFieldTable.h"
#include "model/ModuleFieldTable.h"
#include "support/Rgb.h"

namespace lumetra::test {

// The change tracking of the port, starting from an empty table whose columns 1..7 take text.
void expectChangeTracking(ModuleFieldTable& table);

// A table and a way to read back a cell's background, which the port does not offer.
struct TableUnderTest {
    ModuleFieldTable& table;
    std::function<std::optional<Rgb>(RowHandle row, int column)> background;
};

// Runs `steps` random edits, inserts, deletes, placeholder entries, site changes and file
// loads on both tables alike. After each, the yield relation and the refresh tick's
// formatting run on `kept` with the figures kept between runs, and on a plain in-memory table
// without them (every row read and formatted); every text, colour and figure must be the same,
// bit for bit.
void expectKeptRunsMatchFullWalks(TableUnderTest kept, unsigned seed, int steps);

}  // namespace lumetra::test
