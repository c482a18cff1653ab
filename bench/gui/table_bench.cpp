// SPDX-License-Identifier: GPL-3.0-or-later
// The module-field table of the shown window with many rows: loading a 10,000-row file, one
// cell edit typed into the control with 10,000 rows, and rows added one by one through the
// placeholder row. Each includes the posted solve, the refresh tick and the repaint.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include "app/CLumetraDlg.h"
#include "bench/BenchSupport.h"
#include "energy/ModuleFieldColumns.h"
#include "persistence/DataFile.h"
#include "widgets/treelist/CTreeListCtrl.h"

namespace lumetra {
namespace {

namespace fs = std::filesystem;

constexpr int kRows = 10000;

fs::path tableFile(int rows) {
    const fs::path path =
        fs::temp_directory_path() / ("lumetra-bench-gui-" + std::to_string(rows) + "-rows.lumet");
    if (!fs::exists(path)) {
        bench::OpenedCalculator opened;
        opened.fillRows(rows);
        if (saveDataFile(opened.calculator, path) != DataFileOutcome::Done) {
            return {};
        }
    }
    return path;
}

// Runs the posted solve, the refresh tick and the repaint, as the event loop would.
void settle(CLumetraDlg& dialog) {
    QApplication::processEvents();
    dialog.refreshTick();
    QApplication::processEvents();
}

// Types `text` into a cell of the control and presses Return, as a user does.
void typeIntoCell(CTreeListCtrl& control, HTREEITEM row, int column, const QString& text) {
    if (!control.EditLabel(row, column)) {
        return;
    }
    QWidget* editor = control.GetEditControl();
    QLineEdit* line = qobject_cast<QLineEdit*>(editor);
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        line = combo->lineEdit();
    }
    if (line == nullptr) {
        return;
    }
    line->selectAll();
    QTest::keyClicks(line, text);
    QTest::keyClick(line, Qt::Key_Return);
}

void BM_WindowLoad10000Rows(benchmark::State& state) {
    const fs::path path = tableFile(kRows);
    if (path.empty()) {
        state.SkipWithError("the data file could not be written");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        auto dialog = std::make_unique<CLumetraDlg>();
        dialog->show();
        settle(*dialog);
        state.ResumeTiming();
        benchmark::DoNotOptimize(loadDataFile(dialog->calculator(), path));
        settle(*dialog);
        state.PauseTiming();
        dialog.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["rows"] = kRows;
}
BENCHMARK(BM_WindowLoad10000Rows)->Unit(benchmark::kMillisecond)->Iterations(3);

// The first row's width, typed anew: its figures change, so the totals of every row below are
// summed again. The same edit with 100 rows shows what does not depend on the table's size
// (the editor, the chart and the repaint).
void BM_WindowCellEdit(benchmark::State& state) {
    const fs::path path = tableFile(static_cast<int>(state.range(0)));
    if (path.empty()) {
        state.SkipWithError("the data file could not be written");
        return;
    }
    CLumetraDlg dialog;
    dialog.show();
    settle(dialog);
    loadDataFile(dialog.calculator(), path);
    settle(dialog);
    settle(dialog);
    CTreeListCtrl& control = *dialog.tableControl();
    const HTREEITEM row = control.GetNextItem(TVI_ROOT, TLGN_NEXTINLIST);
    bool odd = false;
    for (auto _ : state) {
        odd = !odd;
        typeIntoCell(control, row, ColumnWidth, odd ? QStringLiteral("3") : QStringLiteral("4"));
        settle(dialog);
    }
    state.counters["rows"] = control.GetCount();
}
BENCHMARK(BM_WindowCellEdit)->Arg(100)->Arg(kRows)->Unit(benchmark::kMicrosecond);

void BM_WindowAddRowsOneByOne(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto dialog = std::make_unique<CLumetraDlg>();
        dialog->show();
        settle(*dialog);
        CTreeListCtrl& control = *dialog->tableControl();
        state.ResumeTiming();
        for (int i = 0; i < rows; ++i) {
            const HTREEITEM placeholder = dialog->calculator().state().placeholderRow;
            typeIntoCell(control, placeholder, ColumnWidth, QString::number(2 + i % 7));
            settle(*dialog);
        }
        state.PauseTiming();
        state.counters["rows"] = control.GetCount();
        dialog.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_WindowAddRowsOneByOne)
    ->Arg(500)
    ->Arg(2000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace
}  // namespace lumetra
