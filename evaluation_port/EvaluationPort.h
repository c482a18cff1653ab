// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace lumetra {

class Calculator;

namespace evaluation {
class Evaluation;
}

// The Auswertung window as the main window sees it. The window lives in the Auswertung module,
// which is loaded on its first opening, so that the charting library never delays the start.
class EvaluationWindowPort {
  public:
    virtual ~EvaluationWindowPort() = default;

    virtual QWidget& widget() = 0;
    // Shows the evaluation's current figures everywhere.
    virtual void refresh() = 0;
    // Puts the evaluation's inputs into the editors (after a data file was loaded).
    virtual void showInputs() = 0;
};

// What a new Auswertung window works on. The evaluation and the calculator outlive it.
struct EvaluationWindowContext {
    evaluation::Evaluation& evaluation;
    const Calculator& calculator;
    // The main window's last data file, from which file names are offered.
    std::function<QString()> dataFilePath;
    // Called after the user changed an input of the Auswertung.
    std::function<void()> inputsEdited;
    QWidget* parent = nullptr;
};

// What the report is made of: the evaluation (key figures, money, hourly series), the
// calculator (the main window's inputs and module fields) and the data file's name.
struct ReportSource {
    const evaluation::Evaluation& evaluation;
    const Calculator& calculator;
    QString dataFilePath;
};

// The module's entry points. The module is built from the same sources as the program that
// loads it; the key tells a module of another version apart.
inline constexpr char kEvaluationModuleKey[] = "lumetra-evaluation-module/" LUMETRA_VERSION;

extern "C" {
using EvaluationModuleKeyFunction = const char* (*)();
// A new window, owned by the context's parent (and deleted with it).
using CreateEvaluationWindowFunction = EvaluationWindowPort* (*)(const EvaluationWindowContext&);
// The report as a PDF file; false when it could not be written (an existing file is then left
// as it was). Without a running application it runs one of its own, off screen.
using WriteReportPdfFunction = bool (*)(const QString& path, const ReportSource& source);
}

inline constexpr char kEvaluationModuleKeySymbol[] = "lumetra_evaluation_module_key";
inline constexpr char kCreateEvaluationWindowSymbol[] = "lumetra_create_evaluation_window";
inline constexpr char kWriteReportPdfSymbol[] = "lumetra_write_report_pdf";

}  // namespace lumetra
