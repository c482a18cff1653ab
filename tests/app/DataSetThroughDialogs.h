// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Saving and loading a data set as a user does: a click on the main window's button, then the
// file dialog, then whatever message the load brings up.

#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QString>
#include <QTest>

#include <filesystem>
#include <string>

#include "FileDialogSupport.h"
#include "LinkedEvaluationWindow.h"
#include "MainDialogSupport.h"
#include "ModalDriver.h"
#include "app/ControlIds.h"

namespace lumetra::test {

inline void chooseInFileDialog(QFileDialog* dialog, const std::filesystem::path& file) {
    dialog->selectFile(qPath(file));
    static_cast<QDialog*>(dialog)->accept();
}

// Saves the data set of `shown` as `file`; empty, or what went wrong with the dialogs.
inline std::string saveThroughDialog(ShownMainDialog& shown, const std::filesystem::path& file) {
    ModalDriver saving;
    saving.then<QFileDialog>([&](QFileDialog* dialog) { chooseInFileDialog(dialog, file); });
    QTest::mouseClick(qobject_cast<QPushButton*>(findControl(&shown.dialog(), kSaveButtonId)),
                      Qt::LeftButton);
    return saving.done() ? std::string() : saving.failure().toStdString();
}

// What loading met: whether the file dialog came up and took the file, and the text of the
// message that came up after it, if one did.
struct LoadedThroughDialog {
    bool fileChosen = false;
    QString message;
};

// Opens the Auswertung of `shown` (so that its lines are read into a window, as a user sees
// them) and loads `file` through the main window's load button.
inline LoadedThroughDialog loadThroughDialog(ShownMainDialog& shown,
                                             const std::filesystem::path& file) {
    useLinkedEvaluationWindow(shown.dialog().evaluation());
    shown.dialog().evaluation().openWindow();
    LoadedThroughDialog loaded;
    ModalDriver loading;
    loading.then<QFileDialog>([&](QFileDialog* dialog) {
        chooseInFileDialog(dialog, file);
        loaded.fileChosen = true;
    });
    // A problem with the data set comes up as a message after the file dialog; its absence
    // is no failure.
    loading.then<QMessageBox>([&](QMessageBox* box) {
        loaded.message = box->text();
        box->accept();
    });
    QTest::mouseClick(qobject_cast<QPushButton*>(findControl(&shown.dialog(), kLoadButtonId)),
                      Qt::LeftButton);
    return loaded;
}

}  // namespace lumetra::test
