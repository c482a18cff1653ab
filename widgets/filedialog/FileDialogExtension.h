// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Extends every widget-based QFileDialog of the program: the file-name box becomes a drop-down
// box with the folder history of the file kind, names of the current folder are suggested
// while typing, the dialog's background offers "Kopiere aktuellen Pfad", files dropped onto
// the box put their path there, and the first dialog of a run opens at 600 x 450.
//
// Callers open QFileDialog as usual (with QFileDialog::DontUseNativeDialog); the default
// suffix gives the file kind of the history, the accept mode tells open from save.

namespace lumetra {

// Installs the extension on the running QApplication. Call once at start-up, before the first
// file dialog is created; a second call changes nothing. Returns true.
bool InstallFileDialogExtension();

}  // namespace lumetra
