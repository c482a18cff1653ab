// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace lumetra {

// The main window's title, «Freiburg im Breisgau – anlage.lumet[*] – Lumetra»: the place chosen
// with "Ort auswählen" (empty once the coordinates have been edited), the name of the data file
// last loaded or saved (empty before), and the program's name. "[*]" stands where Qt shows
// the mark of unsaved changes (QWidget::setWindowModified); without a file it follows the
// program's name, so that the opening window is called "Lumetra".
QString mainWindowTitle(const QString& placeName, const QString& filePath);

}  // namespace lumetra
