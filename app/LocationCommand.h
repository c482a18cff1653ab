// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <string>

class QWidget;

namespace lumetra {

class Calculator;

// "Ort auswählen": reads the location database at `databasePath`, offers its places in a
// CSelectionDlg ("Datenbank", "Ort auswählen") with `lastLocationName` preselected, and puts
// the chosen place's latitude, longitude and irradiation into their fields, each solved. A
// database that cannot be opened or holds no place is reported in a message box.
void chooseLocationCommand(QWidget* parent, Calculator& calculator, const QString& databasePath,
                           std::string& lastLocationName);

}  // namespace lumetra
