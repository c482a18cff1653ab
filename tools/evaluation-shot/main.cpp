// SPDX-License-Identifier: GPL-3.0-or-later
// Opens the main dialog off screen, optionally loads a data file, opens the Auswertung window
// and saves a picture of the main window, one of the Auswertung window per tab, and the PDF
// report, for reviewing the layout.
//
//   lumetra-evaluation-shot <prefix> [data file]
//   writes <prefix>-main.png, <prefix>-tab<n>.png and <prefix>-report.pdf
// LUMETRA_SHOT_SIZE=WxH resizes the Auswertung window first (it keeps its minimum size).
#include <QApplication>
#include <QElapsedTimer>
#include <QStringList>
#include <QTabWidget>

#include <cstdio>

#include "app/CLumetraDlg.h"
#include "app/EvaluationAttachment.h"
#include "app/FileCommands.h"
#include "evaluation_ui/EvaluationWindow.h"
#include "evaluation_ui/SizingPanel.h"
#include "persistence/DataFile.h"

namespace {

void settle(int milliseconds) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    application.setOrganizationName(QStringLiteral("Vandrel"));
    application.setApplicationName(QStringLiteral("Lumetra-Screenshot"));
    if (argc < 2) {
        std::fprintf(stderr, "usage: lumetra-evaluation-shot <prefix> [data file]\n");
        return 2;
    }
    const QString prefix = QString::fromLocal8Bit(argv[1]);
    lumetra::CLumetraDlg dialog;
    // The window from the code linked in here, so that its tabs can be reached by their types.
    dialog.evaluation().setWindowFactory(
        [](const lumetra::EvaluationWindowContext& context, QString*) {
            return lumetra::createEvaluationWindow(context);
        });
    dialog.show();
    if (argc > 2) {
        const QString path = QString::fromLocal8Bit(argv[2]);
        const lumetra::evaluation::DataSetLoad load =
            lumetra::evaluation::loadDataSet(dialog.calculator(), lumetra::toFilesystemPath(path));
        if (load.outcome != lumetra::DataFileOutcome::Done) {
            std::fprintf(stderr, "could not load %s\n", argv[2]);
            return 1;
        }
        dialog.evaluation().dataFileLoaded(load.evaluationLines->inputs);
    }
    settle(700);
    bool ok = dialog.grab().save(prefix + QStringLiteral("-main.png"));

    dialog.evaluation().openWindow();
    auto* window = dynamic_cast<lumetra::EvaluationWindow*>(dialog.evaluation().window());
    const QStringList size = qEnvironmentVariable("LUMETRA_SHOT_SIZE").split(QLatin1Char('x'));
    if (size.size() == 2) {
        window->resize(size[0].toInt(), size[1].toInt());
    }
    settle(300);
    for (int tab = 0; tab < window->tabs()->count(); ++tab) {
        window->tabs()->setCurrentIndex(tab);
        settle(200);
        if (window->tabs()->currentWidget() == window->sizingPanel()) {
            QElapsedTimer timer;
            timer.start();
            while (window->sizingPanel()->isComputing() && timer.elapsed() < 20000) {
                settle(50);
            }
            settle(100);
        }
        ok = window->grab().save(prefix + QStringLiteral("-tab%1.png").arg(tab)) && ok;
    }
    ok = window->exportPdf(prefix + QStringLiteral("-report.pdf")) && ok;
    std::printf("%s\n", ok ? "saved" : "could not save");
    return ok ? 0 : 1;
}
