// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up probe of the window: starts as the program does (same libraries, same application
// object, same start routine) and ends once the main dialog has painted. With
// --open-evaluation it then opens the Auswertung, which loads its plugin and the charting
// library, and ends once that window has painted too. scripts/perf-report.sh times whole runs.
#include <QDialog>

#include <cstring>
#include <memory>

#include "app/CLumetraApp.h"
#include "app/CLumetraDlg.h"
#include "app/EvaluationAttachment.h"
#include "bench/startup/CloseWhenPainted.h"

int main(int argc, char** argv) {
    const bool openEvaluation = argc > 1 && std::strcmp(argv[1], "--open-evaluation") == 0;
    lumetra::CLumetraApp application(argc, argv);
    std::unique_ptr<lumetra::bench::WhenPainted> evaluationPainted;
    const lumetra::bench::WhenPainted mainPainted(
        [](QWidget* window) { return qobject_cast<lumetra::CLumetraDlg*>(window) != nullptr; },
        [&](QWidget* window) {
            auto* dialog = static_cast<lumetra::CLumetraDlg*>(window);
            if (!openEvaluation) {
                dialog->done(QDialog::Rejected);
                return;
            }
            evaluationPainted = std::make_unique<lumetra::bench::WhenPainted>(
                [](QWidget* other) {
                    return other->objectName() == QStringLiteral("evaluationWindow");
                },
                [dialog](QWidget*) { dialog->done(QDialog::Rejected); });
            dialog->evaluation().openWindow();
        });
    application.initInstance();
    return 0;
}
