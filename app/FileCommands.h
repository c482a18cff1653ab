// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <filesystem>
#include <optional>
#include <string_view>

#include "evaluation/EvaluationFileLines.h"
#include "persistence/DataFile.h"

class QWidget;

namespace lumetra {

class Calculator;

// The file work of "Laden" and "Speichern" as the window does it: the file dialog, the
// overwrite question and the messages. What is read and written is the core's business, so
// the window and lumetra-cli load and save the same way.

enum class DataFileDialogKind { Load, Save };

// The name filters of a file dialog from a filter text of pairs "text|pattern|...|". A text
// that does not name its pattern in parentheses gets it appended, as Qt's dialog reads the
// patterns from there; "*.*" (every file) becomes "*", which also matches names without a dot.
QStringList fileDialogNameFilters(std::string_view pairs);

// A path as the file system takes it.
std::filesystem::path toFilesystemPath(const QString& path);

// Opens Qt's own file dialog for data files (title, filters, default suffix "lumet") with
// `lastPath` as the initial name, or "*.lumet" while it is empty. Returns the confirmed full
// path, or nothing when the user cancelled. A confirmed name with wildcards is no file: the
// dialog opens again with it.
std::optional<QString> runDataFileDialog(QWidget* parent, DataFileDialogKind kind,
                                         const QString& lastPath);

// A message box with the caption "Fehler", the error icon and "OK".
void showFileError(QWidget* parent, std::string_view message);

// The overwrite question (caption "Fehler", question icon, Yes and No); true only for Yes.
bool confirmOverwrite(QWidget* parent);

// "Laden": asks for the file, remembers the confirmed path in `dataFilePath` (also when the
// load then fails), loads the data set from it (the calculator's part and the Auswertung
// lines, in one read) and reports a failure and the Auswertung lines that were not read.
// Returns what came of the load, nothing when the user cancelled the file dialog.
std::optional<evaluation::DataSetLoad> loadDataCommand(QWidget* parent, Calculator& calculator,
                                                       QString& dataFilePath);

// "Speichern": asks for the file, remembers the confirmed path, asks before replacing an
// existing file, saves and reports a failure. A "No" writes nothing. Returns true only when
// the file was written. `extraLines` follow the specified lines (see saveDataFile).
bool saveDataCommand(QWidget* parent, const Calculator& calculator, QString& dataFilePath,
                     std::string_view extraLines = {});

}  // namespace lumetra
