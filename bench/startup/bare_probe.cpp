// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up probe of a bare Qt dialog with as many widgets as the main dialog and nothing behind
// them: a Qt Widgets program and no more. Ends once the dialog has painted.
#include <QApplication>

#include "bench/gui/BareDialog.h"
#include "bench/startup/CloseWhenPainted.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const auto dialog = lumetra::bench::bareDialog();
    const lumetra::bench::WhenPainted painted(
        [&](QWidget* window) { return window == dialog.get(); },
        [&](QWidget*) { dialog->done(QDialog::Rejected); });
    dialog->exec();
    return 0;
}
