// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QString>

#include <functional>

class QWidget;

namespace lumetra {

class Calculator;

namespace evaluation {
class Evaluation;
struct Spread;
}  // namespace evaluation

// The Auswertung window as the main window sees it. The window lives in the Auswertung plugin,
// which is loaded on its first opening, so that the charting library never delays the start.
class EvaluationWindowPort {
  public:
    virtual ~EvaluationWindowPort() = default;

    virtual QWidget& widget() = 0;
    // Shows the evaluation's current figures everywhere.
    virtual void refresh() = 0;
    // Shows the evaluation's current key figures only; the charts follow with refresh().
    virtual void refreshKeyFigures() = 0;
    // Shows what the battery sweep gives (the variants, the battery's sizing curve), which
    // arrives after the hourly result.
    virtual void refreshComparison() { refresh(); }
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
    // The place chosen last while the coordinates are still its own (empty else), which the
    // report names as the site.
    std::function<QString()> placeName;
};

// What the report is made of: the evaluation (key figures, money, hourly series), the
// calculator (the main window's inputs and module fields), the data file's name, the place
// chosen (empty: none, the data file's name or the coordinates stand for the site) and the
// date it is made on (invalid: today), and the spread of the simulated homes when it is there
// for the evaluation's current input (nothing: the report names no spread).
struct ReportSource {
    const evaluation::Evaluation& evaluation;
    const Calculator& calculator;
    QString dataFilePath;
    QString placeName = {};
    QDate date = {};
    const evaluation::Spread* spread = nullptr;
};

}  // namespace lumetra
