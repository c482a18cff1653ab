// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumetra {

class Calculator;

// The file name of the location database, looked for as every shipped data file is
// (findDataFile).
inline constexpr std::string_view kLocationDatabaseName = "SolarDatabase.csv";

// The selection: given the place names in list order and the index of the preselected one,
// returns the index the user confirmed, or nothing when the user cancelled. The window runs
// its CSelectionDlg (caption kLocationDialogCaption, label kLocationDialogLabel) here.
using LocationSelection = std::function<std::optional<std::size_t>(
    const std::vector<std::string>& placeNames, std::size_t preselected)>;

enum class ChooseLocationOutcome {
    Chosen,         // the place's figures are in the fields and solved
    Cancelled,      // nothing changed
    CannotOpen,     // show kLocationDatabaseOpenFailedMessage; nothing changed
    EmptyDatabase,  // show kLocationDatabaseEmptyMessage; nothing changed
};

// The message box text of an outcome; empty for Chosen and Cancelled.
std::string_view chooseLocationMessage(ChooseLocationOutcome outcome);

// "Ort auswählen": reads the database at `databasePath`, offers its place names in natural
// order through `select` (preselecting `lastLocationName` when it is among them), and puts the
// chosen line's latitude, longitude and annual irradiation into the fields of quantities 0, 1
// and 2 as texts, each followed by a solve from that quantity. `lastLocationName` (kept by the
// caller for the whole run, empty at first) becomes the chosen place name.
ChooseLocationOutcome chooseLocation(Calculator& calculator,
                                     const std::filesystem::path& databasePath,
                                     std::string& lastLocationName,
                                     const LocationSelection& select);

// A place looked up by a name as a user types it.
struct PlaceSearch {
    std::optional<std::size_t> found;     // the one place the name means
    std::vector<std::size_t> candidates;  // the places it could mean, when more than one
};

// Looks `typed` up among the place names: a name spelt exactly so wins (the first of equal
// ones); else the names equal to it regardless of case and umlaut spelling (placeSearchKey);
// else the names that begin with it so. One such name is found; more are the candidates.
PlaceSearch findPlace(const std::vector<std::string>& names, std::string_view typed);

// The last step on its own: puts the figures of one location line (UTF-8, as read) into the
// fields. A missing or blank field leaves its quantity alone and runs no solve.
void applyLocationLine(Calculator& calculator, std::string_view line);

}  // namespace lumetra
