// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <atomic>
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "evaluation/Evaluation.h"
#include "evaluation_port/EvaluationPort.h"

class QDialog;
class QLabel;
class QMenu;
class QWidget;

namespace lumetra {

class Calculator;

// The text of the main window's context-menu entry and the shortcut that opens the Auswertung.
inline constexpr char kEvaluationMenuText[] = "Auswertung...";

// What the main window gains beside its specified content: the one-line status bar under it
// with the hourly balance's shares, the monthly chart as a button (pointing hand, tooltip, a
// click opens the Auswertung), the context-menu entry and the shortcut, and the Auswertung
// window itself, which follows the calculator from the refresh tick. Owns the evaluation (the
// hourly balance and the money) and the Auswertung inputs of the data file.
//
// The window comes from the Auswertung plugin, loaded on its first opening; until then neither
// the plugin nor the charting library is loaded.
class EvaluationAttachment : public QObject {
    Q_OBJECT

  public:
    // What makes the window: a maker that fails returns nothing and says why.
    using WindowFactory =
        std::function<EvaluationWindowPort*(const EvaluationWindowContext&, QString* error)>;

    // `dataFilePath` gives the main window's last data file, from which file names are offered.
    EvaluationAttachment(QDialog& dialog, Calculator& calculator, QLabel& chartPicture,
                         std::function<QString()> dataFilePath);
    ~EvaluationAttachment() override;

    // After every refresh tick: recomputes when the calculator changed, then updates the status
    // line and an open Auswertung window. The hourly balance runs on a thread of its own; its
    // figures follow when it is done, so that it never holds up typing.
    void afterRefreshTick();

    // Adds "Auswertung..." to the main window's background menu.
    void addMenuEntry(QMenu& menu);

    // Where the window comes from: the Auswertung plugin, unless a test or tool that links the
    // window itself gives its own maker before the first opening.
    void setWindowFactory(WindowFactory factory);

    // Where the report's site name comes from: the place chosen in the main window while the
    // coordinates are still its own (empty else).
    void setPlaceName(std::function<QString()> placeName);

    // Opens the Auswertung window (creating it on first use) and raises it. When the plugin
    // cannot be loaded, says why in a message box and leaves the main window as it is.
    void openWindow();
    // The window once it was opened, else nothing.
    EvaluationWindowPort* window() const;

    QLabel* statusLine() const { return statusLine_; }
    evaluation::Evaluation& evaluation() { return *evaluation_; }

    // The data-file lines of the Auswertung inputs (empty while all are at their defaults).
    std::string dataFileLines() const;
    // After a data file was loaded: its Auswertung inputs (defaults where it has no line).
    void dataFileLoaded(const evaluation::EvaluationInputs& inputs);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void addStatusLine();
    void updateStatusLine();
    void startClimateLoad();
    void takeClimateTables();
    // Says in the status line when there are no tables for the hourly balance at all.
    void showTablesError();
    // The status line and the open window's key figures, and its charts when `withCharts`,
    // show the evaluation's figures.
    void showEvaluation(bool withCharts);
    // Runs the hourly balance of the evaluation's pending input on the worker thread, and
    // after it the pending battery sweep (the variants and the battery's sizing curve).
    void runPendingHourlyBalance();
    void hourlyBalanceDone(const simulation::SimulationInput& input,
                           std::shared_ptr<const simulation::HourlyResult> result,
                           const simulation::ClimateTables* climate);
    void workerDone(const std::optional<evaluation::SweepRequest>& request,
                    std::optional<evaluation::BatterySweep> sweep);
    // Stops the worker's sweep when the evaluation no longer waits for it.
    void cancelStaleSweep();
    // An input of the Auswertung changed: both models and the window follow at once.
    void inputsEdited();

    QDialog& dialog_;
    Calculator& calculator_;
    QLabel& chartPicture_;
    std::function<QString()> dataFilePath_;
    WindowFactory windowFactory_;
    std::unique_ptr<evaluation::Evaluation> evaluation_;
    // The climate tables are read in the background, so that they never delay the start.
    std::future<simulation::ClimateTablesLoad> climateLoad_;
    bool climateLoadStarted_ = false;
    // The worker thread's own hourly balance (its caches serve the next run) and the thread.
    std::shared_ptr<simulation::HourlyBalance> hourlyBalance_;
    std::thread hourlyWorker_;
    // The sweep the worker runs, and what stops it.
    std::optional<evaluation::SweepRequest> workerSweep_;
    std::shared_ptr<std::atomic<bool>> cancelSweep_;
    std::function<QString()> placeName_;
    QLabel* statusLine_ = nullptr;
    // The window, and its widget to know when Qt deleted it with its parent.
    EvaluationWindowPort* window_ = nullptr;
    QPointer<QWidget> windowWidget_;
};

}  // namespace lumetra
