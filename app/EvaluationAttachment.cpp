// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/EvaluationAttachment.h"

#include <QCoreApplication>
#include <QDialog>
#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QShortcut>
#include <QStringList>

#include "app/DataLocation.h"
#include "app/FileCommands.h"
#include "calculator/Calculator.h"
#include "evaluation/EvaluationFileLines.h"
#include "evaluation_port/EvaluationPlugin.h"
#include "evaluation_port/EvaluationPluginLoader.h"
#include "persistence/FileAccess.h"
#include "simulation/ClimateTables.h"
#include "support/ThreadPriority.h"

namespace lumetra {

namespace {

// A window from the plugin, loaded now if it was not loaded before.
EvaluationWindowPort* windowFromPlugin(const EvaluationWindowContext& context, QString* error) {
    EvaluationPlugin* plugin = loadEvaluationPlugin(
        evaluationPluginCandidates(QCoreApplication::applicationDirPath()), error);
    return plugin != nullptr ? plugin->createWindow(context) : nullptr;
}

}  // namespace

EvaluationAttachment::EvaluationAttachment(QDialog& dialog, Calculator& calculator,
                                           QLabel& chartPicture,
                                           std::function<QString()> dataFilePath)
    : QObject(nullptr),
      dialog_(dialog),
      calculator_(calculator),
      chartPicture_(chartPicture),
      dataFilePath_(std::move(dataFilePath)),
      windowFactory_(&windowFromPlugin) {
    evaluation_ = std::make_unique<evaluation::Evaluation>(nullptr);
    evaluation_->setTableSearch(defaultDataSearch());
    addStatusLine();

    // The monthly chart is the way in: it looks and answers like a button.
    chartPicture_.setCursor(Qt::PointingHandCursor);
    chartPicture_.setToolTip(QStringLiteral("Klicken für die Auswertung (Strg+R)"));
    chartPicture_.installEventFilter(this);

    auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_R), &dialog_);
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this, &EvaluationAttachment::openWindow);
}

EvaluationAttachment::~EvaluationAttachment() {
    // A run of the hourly balance may still be under way: it posts its result to this object.
    if (cancelSweep_) {
        cancelSweep_->store(true);
    }
    if (hourlyWorker_.joinable()) {
        hourlyWorker_.join();
    }
    chartPicture_.removeEventFilter(this);
    delete windowWidget_.data();
}

EvaluationWindowPort* EvaluationAttachment::window() const {
    return windowWidget_ != nullptr ? window_ : nullptr;
}

void EvaluationAttachment::setWindowFactory(WindowFactory factory) {
    windowFactory_ = std::move(factory);
}

void EvaluationAttachment::addStatusLine() {
    // One line under the specified content: the dialog grows by its height, so every specified
    // control keeps its place.
    const QSize content = dialog_.size();
    const int height = dialog_.fontMetrics().height() + 8;
    statusLine_ = new QLabel(&dialog_);
    statusLine_->setObjectName(QStringLiteral("evaluationStatusLine"));
    statusLine_->setFrameShape(QFrame::StyledPanel);
    statusLine_->setFrameShadow(QFrame::Sunken);
    statusLine_->setContentsMargins(4, 0, 4, 0);
    statusLine_->setGeometry(0, content.height(), content.width(), height);
    statusLine_->setText(QStringLiteral("Stundenbilanz: wird berechnet ..."));
    dialog_.setFixedSize(content.width(), content.height() + height);
}

void EvaluationAttachment::startClimateLoad() {
    if (climateLoadStarted_) {
        return;
    }
    climateLoadStarted_ = true;
    // Only regular files are opened, never waiting on a FIFO: the load always ends, and the
    // window can always close (the future waits for it).
    const simulation::TableSearch search{defaultDataSearch(),
                                         pathFromUtf8(evaluation_->inputs().dataFolder)};
    climateLoad_ =
        std::async(std::launch::async, [search] { return simulation::loadClimateTables(search); });
}

void EvaluationAttachment::takeClimateTables() {
    // Read from the first tick on, after the window's first picture: the status line says
    // "wird berechnet" until then, and nothing competes with the start for a processor.
    startClimateLoad();
    if (!climateLoad_.valid() ||
        climateLoad_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) {
        return;
    }
    // A data file that named a data folder meanwhile had its tables read already.
    if (evaluation_->takeTables(climateLoad_.get())) {
        showTablesError();
    }
}

void EvaluationAttachment::showTablesError() {
    if (!evaluation_->tablesError().empty()) {
        statusLine_->setText(QStringLiteral("Stundenbilanz nicht verfügbar: ") +
                             QString::fromStdString(evaluation_->tablesError()));
    }
}

void EvaluationAttachment::afterRefreshTick() {
    takeClimateTables();
    if (evaluation_->update(calculator_.state(), calculator_.table(),
                            evaluation::Evaluation::HourlyRun::Elsewhere)) {
        // When the hourly balance runs too, the window's charts are drawn once, with both
        // models, when its result comes: they take longer to draw than the balance to run.
        showEvaluation(!evaluation_->pendingHourlyInput().has_value());
        cancelStaleSweep();
    }
    runPendingHourlyBalance();
}

void EvaluationAttachment::cancelStaleSweep() {
    const std::optional<evaluation::SweepRequest>& pending = evaluation_->pendingSweep();
    if (cancelSweep_ && workerSweep_ &&
        (!pending || !evaluation::sameSweep(*pending, *workerSweep_))) {
        cancelSweep_->store(true);
    }
}

void EvaluationAttachment::showEvaluation(bool withCharts) {
    updateStatusLine();
    // A closed window catches up when it is opened again.
    if (window() == nullptr || !windowWidget_->isVisible()) {
        return;
    }
    if (withCharts) {
        window_->refresh();
    } else {
        window_->refreshKeyFigures();
    }
}

void EvaluationAttachment::runPendingHourlyBalance() {
    const std::optional<simulation::SimulationInput>& pending = evaluation_->pendingHourlyInput();
    // One run at a time: an input that changes meanwhile runs after it.
    if ((!pending && !evaluation_->pendingSweep()) || hourlyWorker_.joinable()) {
        return;
    }
    // Other tables (another data folder) need a balance of their own.
    if (!hourlyBalance_ || &hourlyBalance_->climate() != evaluation_->climate().get()) {
        hourlyBalance_ = std::make_shared<simulation::HourlyBalance>(evaluation_->climate());
    }
    workerSweep_ = evaluation_->pendingSweep();
    cancelSweep_ = std::make_shared<std::atomic<bool>>(false);
    // The year first, so that the status line and the key figures follow at once; the battery
    // sizes after it, on the same balance, whose caches leave only the battery to be run.
    hourlyWorker_ = std::thread([this, balance = hourlyBalance_, input = pending,
                                 request = workerSweep_, cancel = cancelSweep_] {
        lowerCallingThreadPriority(kAwaitedWorkNiceness);
        if (input) {
            auto result = std::make_shared<const simulation::HourlyResult>(balance->run(*input));
            QMetaObject::invokeMethod(
                this,
                [this, input, result, climate = &balance->climate()] {
                    hourlyBalanceDone(*input, result, climate);
                },
                Qt::QueuedConnection);
        }
        std::optional<evaluation::BatterySweep> sweep;
        if (request) {
            sweep = evaluation::computeBatterySweep(*balance, request->input, request->battery,
                                                    *cancel);
        }
        QMetaObject::invokeMethod(
            this, [this, request, sweep = std::move(sweep)] { workerDone(request, sweep); },
            Qt::QueuedConnection);
    });
}

void EvaluationAttachment::hourlyBalanceDone(const simulation::SimulationInput& input,
                                             std::shared_ptr<const simulation::HourlyResult> result,
                                             const simulation::ClimateTables* climate) {
    // A result of tables no longer in use is dropped; the same input runs again on the new.
    if (climate == evaluation_->climate().get() &&
        evaluation_->takeHourlyResult(input, std::move(result))) {
        showEvaluation(true);
    }
}

void EvaluationAttachment::workerDone(const std::optional<evaluation::SweepRequest>& request,
                                      std::optional<evaluation::BatterySweep> sweep) {
    hourlyWorker_.join();
    workerSweep_.reset();
    if (request && sweep && evaluation_->takeBatterySweep(*request, std::move(*sweep))) {
        updateStatusLine();
        if (window() != nullptr && windowWidget_->isVisible()) {
            window_->refreshComparison();
        }
    }
    runPendingHourlyBalance();
}

void EvaluationAttachment::updateStatusLine() {
    if (const auto& hourly = evaluation_->hourlyFigures()) {
        statusLine_->setText(
            QString::fromStdString(evaluation::statusLineText(*hourly, evaluation_->ownBattery())));
    }
}

void EvaluationAttachment::setPlaceName(std::function<QString()> placeName) {
    placeName_ = std::move(placeName);
}

void EvaluationAttachment::addMenuEntry(QMenu& menu) {
    QAction* action = menu.addAction(QString::fromUtf8(kEvaluationMenuText), this,
                                     &EvaluationAttachment::openWindow);
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
}

void EvaluationAttachment::openWindow() {
    startClimateLoad();
    if (window() == nullptr) {
        const EvaluationWindowContext context{*evaluation_,  calculator_,
                                              dataFilePath_, [this] { inputsEdited(); },
                                              &dialog_,      placeName_};
        QString error;
        window_ = windowFactory_(context, &error);
        if (window_ == nullptr) {
            QMessageBox::warning(
                &dialog_, QStringLiteral("Auswertung"),
                QStringLiteral("Die Auswertung kann nicht geöffnet werden.\n") + error);
            return;
        }
        windowWidget_ = &window_->widget();
    }
    evaluation_->update(calculator_.state(), calculator_.table(),
                        evaluation::Evaluation::HourlyRun::Elsewhere);
    runPendingHourlyBalance();
    updateStatusLine();
    window_->refresh();
    QWidget& widget = window_->widget();
    widget.show();
    widget.raise();
    widget.activateWindow();
}

void EvaluationAttachment::inputsEdited() {
    // The money follows at once; a battery, price or limit that changes the hourly balance
    // follows from the worker thread, as a change in the main window does.
    evaluation_->update(calculator_.state(), calculator_.table(),
                        evaluation::Evaluation::HourlyRun::Elsewhere);
    cancelStaleSweep();
    showEvaluation(!evaluation_->pendingHourlyInput().has_value());
    showTablesError();
    runPendingHourlyBalance();
}

std::string EvaluationAttachment::dataFileLines() const {
    return evaluation::evaluationInputLines(evaluation_->inputs());
}

void EvaluationAttachment::dataFileLoaded(const evaluation::EvaluationInputs& inputs) {
    const bool sameFolder = inputs.dataFolder == evaluation_->inputs().dataFolder;
    evaluation_->setInputs(inputs);
    if (sameFolder) {
        evaluation_->rereadDataFolder();  // a refused folder may have been mended since
    }
    showTablesError();
    // The measured load is read for the site's time zone, which the update knows: read now,
    // so that a file that is gone is reported with the rest.
    evaluation_->update(calculator_.state(), calculator_.table(),
                        evaluation::Evaluation::HourlyRun::Elsewhere);
    // The data set names a weather file or a measured load that is gone, or a data folder that
    // is refused: say so; the rest is loaded.
    QStringList problems;
    for (const std::string* problem :
         {&evaluation_->weatherProblem(), &evaluation_->measuredLoadProblem(),
          &evaluation_->tablesProblem()}) {
        if (!problem->empty()) {
            problems.append(QString::fromStdString(*problem));
        }
    }
    if (!problems.isEmpty()) {
        QMessageBox::warning(&dialog_, QStringLiteral("Auswertung"),
                             problems.join(QStringLiteral("\n\n")));
    }
    if (window() != nullptr) {
        window_->showInputs();
    }
    cancelStaleSweep();
    showEvaluation(!evaluation_->pendingHourlyInput().has_value());
    runPendingHourlyBalance();
}

bool EvaluationAttachment::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &chartPicture_ && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && chartPicture_.rect().contains(mouse->pos())) {
            openWindow();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace lumetra
