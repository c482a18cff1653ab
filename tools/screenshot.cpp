// SPDX-License-Identifier: GPL-3.0-or-later
// Opens the main dialog off screen as the program does, lets the first refresh ticks run, puts
// the focus on a field and saves a picture of the whole window, for reviewing the layout.
//
//   lumetra-screenshot <file.png> [control id to focus, default 1019]
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPixmap>
#include <QTimer>

#include <cstdio>
#include <memory>

#include "app/CLumetraDlg.h"
#include "app/ControlIds.h"
#include "app/InfoDialogs.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: lumetra-screenshot <file.png> [control id]\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const int focusId = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 1019;

    lumetra::CLumetraDlg dialog;
    dialog.show();
    dialog.activateWindow();
    if (QWidget* focus = lumetra::findControl(&dialog, focusId)) {
        focus->setFocus(Qt::TabFocusReason);
    }
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 700) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    bool ok = dialog.grab().save(path);
    for (const auto& [suffix, create] : {std::pair{"-about", &lumetra::createAboutBox},
                                         std::pair{"-legend", &lumetra::createLegendDialog}}) {
        auto small = create(nullptr);
        small->show();
        QApplication::processEvents();
        QString smallPath = path;
        smallPath.insert(smallPath.lastIndexOf(QLatin1Char('.')), QLatin1String(suffix));
        ok = small->grab().save(smallPath) && ok;
    }
    std::printf("%s\n", ok ? "saved" : "could not save");
    return ok ? 0 : 1;
}
