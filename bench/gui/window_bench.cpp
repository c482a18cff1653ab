// SPDX-License-Identifier: GPL-3.0-or-later
// The main dialog's speed: one keystroke in a field until every other field shows the new
// solution, and start-up until the window is shown, beside a bare dialog with as many widgets.
// Resident memory after start-up is reported as a counter.
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <benchmark/benchmark.h>

#include <memory>

#include "app/CLumetraDlg.h"
#include "app/DialogBuilder.h"
#include "app/HelpPictures.h"
#include "bench/gui/BareDialog.h"

namespace {

using lumetra::CLumetraDlg;

// Resident set size of this process in kB, from /proc (0 where there is none).
double residentKilobytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return 0;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) {
            return line.mid(6).trimmed().split(' ').front().toDouble();
        }
    }
    return 0;
}

void showAndSettle(QWidget& window) {
    window.show();
    QApplication::processEvents();
}

// Types one key into the field of Persons: alternately a digit and Backspace, so that every
// keystroke changes the value and solves.
void BM_KeystrokeSolve(benchmark::State& state) {
    CLumetraDlg dialog;
    showAndSettle(dialog);
    QLineEdit* persons = dialog.field(lumetra::Persons);
    persons->setFocus();
    persons->setText(QStringLiteral("4"));
    QLineEdit* household = dialog.field(lumetra::HouseholdElectricity);
    bool append = true;
    for (auto _ : state) {
        if (append) {
            QTest::keyClick(persons, Qt::Key_5);
        } else {
            QTest::keyClick(persons, Qt::Key_Backspace);
        }
        append = !append;
        benchmark::DoNotOptimize(household->text());
    }
}
BENCHMARK(BM_KeystrokeSolve)->Unit(benchmark::kMicrosecond);

// As above, and the repaint of the changed fields.
void BM_KeystrokeSolveAndPaint(benchmark::State& state) {
    CLumetraDlg dialog;
    showAndSettle(dialog);
    QLineEdit* persons = dialog.field(lumetra::Persons);
    persons->setFocus();
    persons->setText(QStringLiteral("4"));
    bool append = true;
    for (auto _ : state) {
        QTest::keyClick(persons, append ? Qt::Key_5 : Qt::Key_Backspace);
        append = !append;
        QApplication::processEvents();
    }
}
BENCHMARK(BM_KeystrokeSolveAndPaint)->Unit(benchmark::kMicrosecond);

void BM_StartupMainDialog(benchmark::State& state) {
    for (auto _ : state) {
        auto dialog = std::make_unique<CLumetraDlg>();
        showAndSettle(*dialog);
        state.PauseTiming();
        dialog.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    auto dialog = std::make_unique<CLumetraDlg>();
    showAndSettle(*dialog);
    state.counters["rss_kB"] = residentKilobytes();
}
BENCHMARK(BM_StartupMainDialog)->Unit(benchmark::kMillisecond);

void BM_StartupBareDialog(benchmark::State& state) {
    for (auto _ : state) {
        auto dialog = lumetra::bench::bareDialog();
        showAndSettle(*dialog);
        state.PauseTiming();
        dialog.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartupBareDialog)->Unit(benchmark::kMillisecond);

// The parts of the start-up, to see where its time goes.
void BM_StartupPartBuildControls(benchmark::State& state) {
    for (auto _ : state) {
        QDialog dialog;
        benchmark::DoNotOptimize(lumetra::buildMainDialog(dialog));
    }
}
BENCHMARK(BM_StartupPartBuildControls)->Unit(benchmark::kMillisecond);

void BM_StartupPartHelpPictures(benchmark::State& state) {
    for (auto _ : state) {
        for (const int id : {129, 131, 132, 133, 134, 135, 139, 140, 141, 142, 143}) {
            benchmark::DoNotOptimize(lumetra::loadScaledHelpPicture(id, QSize(346, 144)));
        }
    }
}
BENCHMARK(BM_StartupPartHelpPictures)->Unit(benchmark::kMillisecond);

void BM_StartupPartConstructNotShown(benchmark::State& state) {
    for (auto _ : state) {
        CLumetraDlg dialog;
        benchmark::DoNotOptimize(&dialog);
    }
}
BENCHMARK(BM_StartupPartConstructNotShown)->Unit(benchmark::kMillisecond);

}  // namespace
