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

#include <algorithm>
#include <chrono>
#include <ctime>
#include <memory>
#include <vector>

#include "app/CLumetraDlg.h"
#include "app/DialogBuilder.h"
#include "app/DialogLayout.h"
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

// Processor time of this thread in milliseconds: other work on the machine adds little to it.
double threadMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) * 1e-6;
}

// Milliseconds from making a dialog until it is shown and painted, on the clock and of this
// thread's processor time; its deletion is not counted.
struct StartTimes {
    double wall = 0;
    double processor = 0;
};
template <typename MakeDialog>
StartTimes timesUntilShown(MakeDialog make) {
    const auto start = std::chrono::steady_clock::now();
    const double processorStart = threadMs();
    auto dialog = make();
    showAndSettle(*dialog);
    const double processor = threadMs() - processorStart;
    const std::chrono::duration<double, std::milli> wall = std::chrono::steady_clock::now() - start;
    dialog.reset();
    QApplication::processEvents();
    return {wall.count(), processor};
}

double median(std::vector<double> values) {
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

// The main dialog's start-up beside the bare dialog's, alternating in one loop so that both meet
// the same load of the machine: the counters give each median and their ratio.
void BM_StartupMainBesideBare(benchmark::State& state) {
    std::vector<double> main;
    std::vector<double> bare;
    std::vector<double> mainProcessor;
    std::vector<double> bareProcessor;
    bool bareFirst = true;
    for (auto _ : state) {
        // Each goes first every other time, so that neither always follows the other.
        StartTimes b;
        StartTimes m;
        if (bareFirst) {
            b = timesUntilShown([] { return lumetra::bench::bareDialog(); });
            m = timesUntilShown([] { return std::make_unique<CLumetraDlg>(); });
        } else {
            m = timesUntilShown([] { return std::make_unique<CLumetraDlg>(); });
            b = timesUntilShown([] { return lumetra::bench::bareDialog(); });
        }
        bareFirst = !bareFirst;
        bare.push_back(b.wall);
        main.push_back(m.wall);
        bareProcessor.push_back(b.processor);
        mainProcessor.push_back(m.processor);
    }
    state.counters["main_ms"] = median(main);
    state.counters["bare_ms"] = median(bare);
    state.counters["ratio"] = median(main) / median(bare);
    state.counters["processor_ratio"] = median(mainProcessor) / median(bareProcessor);
}
BENCHMARK(BM_StartupMainBesideBare)->Unit(benchmark::kMillisecond);

// The bare dialog with the main dialog's own titles, labels and units and a table: how much of
// the main dialog's start-up is what it shows rather than what it computes.
lumetra::bench::BareDialogContent mainDialogContent() {
    const auto text = [](std::string_view t) {
        return QString::fromUtf8(t.data(), static_cast<qsizetype>(t.size()));
    };
    lumetra::bench::BareDialogContent content;
    for (const lumetra::GroupBoxLayout& group : lumetra::kGroupBoxes) {
        content.groupTitles << text(group.text);
    }
    for (const lumetra::FieldLayout& row : lumetra::kFieldLayout) {
        if (!row.label.empty()) {
            content.labels << text(row.label);
        }
        if (!row.unit.empty()) {
            content.units << text(row.unit);
        }
    }
    content.table = true;
    return content;
}

void BM_StartupMainBesideBareWithItsTexts(benchmark::State& state) {
    const lumetra::bench::BareDialogContent content = mainDialogContent();
    std::vector<double> main;
    std::vector<double> bare;
    for (auto _ : state) {
        bare.push_back(timesUntilShown([&] { return lumetra::bench::bareDialog(content); }).wall);
        main.push_back(timesUntilShown([] { return std::make_unique<CLumetraDlg>(); }).wall);
    }
    state.counters["bare_ms"] = median(bare);
    state.counters["ratio"] = median(main) / median(bare);
}
BENCHMARK(BM_StartupMainBesideBareWithItsTexts)->Unit(benchmark::kMillisecond);

// The parts of the start-up, to see where its time goes.
void BM_StartupPartBuildControls(benchmark::State& state) {
    for (auto _ : state) {
        QDialog dialog;
        benchmark::DoNotOptimize(lumetra::buildMainDialog(dialog));
    }
}
BENCHMARK(BM_StartupPartBuildControls)->Unit(benchmark::kMillisecond);

// A help picture is decoded and scaled the first time the focus reaches a field that shows it
// (never before the window's first paint); the figure is one picture, the mean of the eleven.
void BM_HelpPictureOnFirstFocus(benchmark::State& state) {
    constexpr int kPictures[] = {129, 131, 132, 133, 134, 135, 139, 140, 141, 142, 143};
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(lumetra::loadScaledHelpPicture(kPictures[next], QSize(346, 144)));
        next = (next + 1) % std::size(kPictures);
    }
}
BENCHMARK(BM_HelpPictureOnFirstFocus)->Unit(benchmark::kMicrosecond);

void BM_StartupPartConstructNotShown(benchmark::State& state) {
    for (auto _ : state) {
        CLumetraDlg dialog;
        benchmark::DoNotOptimize(&dialog);
    }
}
BENCHMARK(BM_StartupPartConstructNotShown)->Unit(benchmark::kMillisecond);

}  // namespace
