// SPDX-License-Identifier: GPL-3.0-or-later
// Exit probe of the window: starts as the program does and closes the main window once it is in
// use (the hourly balance computed; with --open-evaluation the Auswertung opened and painted
// too; with --at-once right after the first paint, while the climate tables may still be read).
// It writes the moment of closing to stdout (steady clock, ns); scripts/perf-report.sh takes the
// time from there to the end of the process.
#include <QDialog>
#include <QTimer>

#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>

#include "app/CLumetraApp.h"
#include "app/CLumetraDlg.h"
#include "app/EvaluationAttachment.h"
#include "bench/startup/CloseWhenPainted.h"

namespace {

void closeAndNoteTheMoment(lumetra::CLumetraDlg& dialog) {
    dialog.done(QDialog::Rejected);
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    char text[32];
    const auto end =
        std::to_chars(text, text + sizeof text,
                      std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
    *end.ptr = '\n';
    std::fwrite(text, 1, static_cast<std::size_t>(end.ptr + 1 - text), stdout);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    const auto option = [&](const char* name) {
        return argc > 1 && std::strcmp(argv[1], name) == 0;
    };
    const bool atOnce = option("--at-once");
    const bool openEvaluation = option("--open-evaluation");
    lumetra::CLumetraApp application(argc, argv);
    std::unique_ptr<lumetra::bench::WhenPainted> evaluationPainted;
    QTimer poll;
    const lumetra::bench::WhenPainted mainPainted(
        [](QWidget* window) { return qobject_cast<lumetra::CLumetraDlg*>(window) != nullptr; },
        [&](QWidget* window) {
            auto* dialog = static_cast<lumetra::CLumetraDlg*>(window);
            if (atOnce) {
                closeAndNoteTheMoment(*dialog);
                return;
            }
            QObject::connect(&poll, &QTimer::timeout, dialog, [&, dialog] {
                if (dialog->evaluation().evaluation().hourlyResult() == nullptr) {
                    return;
                }
                poll.stop();
                if (!openEvaluation) {
                    closeAndNoteTheMoment(*dialog);
                    return;
                }
                evaluationPainted = std::make_unique<lumetra::bench::WhenPainted>(
                    [](QWidget* other) {
                        return other->objectName() == QStringLiteral("evaluationWindow");
                    },
                    [dialog](QWidget*) { closeAndNoteTheMoment(*dialog); });
                dialog->evaluation().openWindow();
            });
            poll.start(10);
        });
    application.initInstance();
    return 0;
}
