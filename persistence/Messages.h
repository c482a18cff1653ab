// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace lumetra {

// The texts of the message boxes of the file operations, in one place so that the window and
// the command-line tool show exactly the same words. Every box has the caption kErrorCaption;
// the overwrite question has the buttons Yes and No and the question icon, all others OK and
// the error icon.
inline constexpr std::string_view kErrorCaption = "Fehler";

inline constexpr std::string_view kFileNotFoundMessage = "Die Datei wurde nicht gefunden !";
inline constexpr std::string_view kWrongFormatMessage = "Die Datei hat das falsche Format !";
inline constexpr std::string_view kOverwriteQuestion =
    "Die Datei existiert bereits !\nSoll sie überschrieben werden ?";
inline constexpr std::string_view kSaveFailedMessage =
    "Die Datei konnte nicht gespeichert werden !";

inline constexpr std::string_view kLocationDatabaseOpenFailedMessage =
    "Die Datei 'SolarDatabase.csv' konnte nicht geöffnet werden !";
inline constexpr std::string_view kLocationDatabaseEmptyMessage =
    "Die Datenbankdatei 'SolarDatabase.csv' ist leer !";

// The selection dialog of the location chooser.
inline constexpr std::string_view kLocationDialogCaption = "Datenbank";
inline constexpr std::string_view kLocationDialogLabel = "Ort auswählen";

// The file dialogs of "Laden" and "Speichern".
inline constexpr std::string_view kDataFileFilter =
    "Datendatei ( *.lumet )|*.lumet|Alle Dateien|*.*|";
inline constexpr std::string_view kDataFileExtension = "lumet";
inline constexpr std::string_view kDataFileInitialName = "*.lumet";
inline constexpr std::string_view kLoadDialogTitle = "Daten laden";
inline constexpr std::string_view kSaveDialogTitle = "Daten speichern";

}  // namespace lumetra
