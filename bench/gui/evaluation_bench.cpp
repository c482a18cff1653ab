// SPDX-License-Identifier: GPL-3.0-or-later
// The Auswertung window: its opening in a new main window (the plugin's loading is measured by
// the start-up probes in processes of their own), one refresh after a change of the main
// window, the sizing curves and the PDF report.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <atomic>
#include <memory>

#include "app/CLumetraDlg.h"
#include "app/EvaluationAttachment.h"
#include "evaluation/Evaluation.h"
#include "evaluation/SizingSweep.h"
#include "evaluation_ui/EvaluationWindow.h"

namespace {

using lumetra::CLumetraDlg;

// A shown main dialog whose hourly balance has its first result.
// The window is made from the code linked in here; the plugin's loading is measured by the
// start-up probes in processes of their own.
std::unique_ptr<CLumetraDlg> readyDialog() {
    auto dialog = std::make_unique<CLumetraDlg>();
    dialog->evaluation().setWindowFactory(
        [](const lumetra::EvaluationWindowContext& context, QString*) {
            return lumetra::createEvaluationWindow(context);
        });
    dialog->show();
    QElapsedTimer timer;
    timer.start();
    while (dialog->evaluation().evaluation().hourlyResult() == nullptr && timer.elapsed() < 10000) {
        QTest::qWait(10);
    }
    return dialog;
}

// Processes events until `done` holds, for at most ten seconds. Between events the thread
// sleeps, as a window's event loop does: a loop that polled would take a processor from the
// worker threads whose results it waits for. A timer wakes it now and then to look at the clock.
template <typename Condition>
void processEventsUntil(Condition done) {
    QElapsedTimer timer;
    timer.start();
    QTimer wakeUp;
    wakeUp.start(50);
    while (!done() && timer.elapsed() < 10000) {
        QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
}

// Notes the first paint of a window.
class FirstPaint : public QObject {
  public:
    bool painted = false;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->objectName() == QStringLiteral("evaluationWindow")) {
            painted = true;
        }
        return false;
    }
};

// From the click until the window's first picture; its charts are filled right after.
void BM_EvaluationWindowFirstOpen(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto dialog = readyDialog();
        FirstPaint paint;
        QApplication::instance()->installEventFilter(&paint);
        state.ResumeTiming();
        dialog->evaluation().openWindow();
        processEventsUntil([&] { return paint.painted; });
        state.PauseTiming();
        QApplication::instance()->removeEventFilter(&paint);
        dialog.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_EvaluationWindowFirstOpen)->Unit(benchmark::kMillisecond);

// What a benchmark of a change in the open window waits for after the refresh tick, and whether
// that wait is timed.
enum class Wait { Timed, Untimed };

// A keystroke and its Backspace in the field of persons: 45 and 4 persons in turn.
const QStringList kTypedAndTakenBack = {QStringLiteral("45"), QStringLiteral("4")};

// Types the next of `persons` in each iteration and runs the refresh tick with the Auswertung
// open, then processes events until `settled` (timed or not, as `wait` says).
template <typename Settled>
void changeWithWindowOpen(benchmark::State& state, Wait wait, Settled settled,
                          const QStringList& persons = kTypedAndTakenBack) {
    auto dialog = readyDialog();
    dialog->evaluation().openWindow();
    QApplication::processEvents();
    const lumetra::evaluation::Evaluation& evaluation = dialog->evaluation().evaluation();
    QLineEdit* field = dialog->field(lumetra::Persons);
    qsizetype next = 0;
    for (auto _ : state) {
        state.PauseTiming();
        field->setText(persons[next]);
        next = (next + 1) % persons.size();
        state.ResumeTiming();
        dialog->refreshTick();
        if (wait == Wait::Untimed) {
            state.PauseTiming();
        }
        processEventsUntil([&] { return settled(evaluation); });
        if (wait == Wait::Untimed) {
            state.ResumeTiming();
        }
    }
}

bool yearAndSweepDone(const lumetra::evaluation::Evaluation& evaluation) {
    return !evaluation.pendingHourlyInput().has_value() && !evaluation.pendingSweep().has_value();
}

// A keystroke's change reaching the open window: the refresh tick (the monthly model, the
// status line, the tab on show) and the hourly balance's run on its thread until the window
// shows its figures.
void BM_EvaluationTickWithWindowOpen(benchmark::State& state) {
    changeWithWindowOpen(state, Wait::Timed, [](const lumetra::evaluation::Evaluation& e) {
        return !e.pendingHourlyInput().has_value();
    });
}
BENCHMARK(BM_EvaluationTickWithWindowOpen)->Unit(benchmark::kMillisecond);

// The same for a home not simulated before: one to six persons in turn, more homes than are
// kept, so that each change simulates its home's year.
void BM_EvaluationTickWithWindowOpenNewHome(benchmark::State& state) {
    changeWithWindowOpen(state, Wait::Timed,
                         [](const lumetra::evaluation::Evaluation& e) {
                             return !e.pendingHourlyInput().has_value();
                         },
                         {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                          QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("6")});
}
BENCHMARK(BM_EvaluationTickWithWindowOpenNewHome)->Unit(benchmark::kMillisecond);

// What the GUI thread spends on one refresh tick with the Auswertung open: the year, the
// variants and the best battery run on the worker thread and are not timed.
void BM_EvaluationRefreshTickOnTheGuiThread(benchmark::State& state) {
    changeWithWindowOpen(state, Wait::Untimed, yearAndSweepDone);
}
BENCHMARK(BM_EvaluationRefreshTickOnTheGuiThread)->Unit(benchmark::kMillisecond);

// A change until the variants with and without a battery and the best battery show it (the
// year and the 21 battery sizes on the worker thread); until then the variants are those of
// the result still shown.
void BM_VariantsAfterAChange(benchmark::State& state) {
    changeWithWindowOpen(state, Wait::Timed, [](const lumetra::evaluation::Evaluation& e) {
        return yearAndSweepDone(e) && e.variants().has_value();
    });
}
BENCHMARK(BM_VariantsAfterAChange)->Unit(benchmark::kMillisecond);

void BM_SizingCurves(benchmark::State& state) {
    auto dialog = readyDialog();
    const lumetra::evaluation::Evaluation& evaluation = dialog->evaluation().evaluation();
    lumetra::simulation::HourlyBalance balance(evaluation.climate());
    const std::atomic<bool> never{false};
    for (auto _ : state) {
        benchmark::DoNotOptimize(lumetra::evaluation::computeSizingCurves(
            balance, evaluation.simulationInput(), evaluation.inputs().battery, never));
    }
}
BENCHMARK(BM_SizingCurves)->Unit(benchmark::kMillisecond);

void BM_ReportPdf(benchmark::State& state) {
    auto dialog = readyDialog();
    dialog->evaluation().openWindow();
    QTemporaryDir folder;
    const QString path = QDir(folder.path()).filePath(QStringLiteral("bericht.pdf"));
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            dynamic_cast<lumetra::EvaluationWindow*>(dialog->evaluation().window())
                ->exportPdf(path));
    }
}
BENCHMARK(BM_ReportPdf)->Unit(benchmark::kMillisecond);

}  // namespace
