// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string_view>

#include "persistence/DataFileReader.h"

namespace lumetra {

class Calculator;

enum class DataFileOutcome {
    Done,         // no message
    NotFound,     // load: the file could not be opened or read, or is no regular file; nothing
                  // changed
    WrongFormat,  // load: no line was recognised; the table holds only the placeholder row
    TooLarge,     // load: larger than any data file (the format message); nothing changed
    SaveFailed,   // save: nothing was written, an existing file is untouched
};

// The message box text of an outcome (caption kErrorCaption, error icon); empty for Done.
std::string_view dataFileMessage(DataFileOutcome outcome);

// "Speichern" once the path is chosen (and, for an existing file, the overwrite question
// answered with Yes: ask it when isExistingFile(path) holds). Writes the data set from the
// value store and the table, replacing the file only when everything was written.
// `extraLines` (UTF-8, each ending in a line feed) follow the specified lines: lines of the
// program's additions, which a reader that does not know them skips.
DataFileOutcome saveDataFile(const Calculator& calculator, const std::filesystem::path& path,
                             std::string_view extraLines = {});

// "Laden" once the path is chosen: reads the file and applies it (applyDataFile). The file is
// opened and read once; `observer` sees every line as it is read. When the outcome is
// NotFound or TooLarge, the file changed nothing, and what the observer saw must change
// nothing either.
DataFileOutcome loadDataFile(Calculator& calculator, const std::filesystem::path& path,
                             const DataFileLineObserver& observer = {});

// Applies what was read from a data file, as loading does once the file is open: the table's
// rows are replaced by the rows read, the Vorgabe marks are brought in line with the file,
// every value read reaches its field, and the read quantities are solved. Returns WrongFormat
// when no line was recognised (the rest of the load still runs and changes nothing more).
DataFileOutcome applyDataFile(Calculator& calculator, const DataFileReading& reading);

// Whether a file may set the Vorgabe mark of a quantity. The window offers no box for the
// quantity a relation computes from input-only members (the peak irradiance, the yield, the
// totals and the balance figures), and such a mark would keep that relation closed whatever
// preset were released, so a load ignores it (the value is still read).
bool fileMayMarkQuantity(QuantityId q);

}  // namespace lumetra
