// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>

#include "persistence/LocationChooser.h"

class QWidget;

namespace lumetra {

class Calculator;

// "Ort auswählen": reads the location database at `databasePath`, offers its places in a
// CSelectionDlg ("Datenbank", "Ort auswählen") with `lastLocationName` preselected, and puts
// the chosen place's latitude, longitude and irradiation into their fields, each solved. A
// database that cannot be opened or holds no place is reported in a message box. Returns what
// came of it.
ChooseLocationOutcome chooseLocationCommand(QWidget* parent, Calculator& calculator,
                                            const std::filesystem::path& databasePath,
                                            std::string& lastLocationName);

}  // namespace lumetra
