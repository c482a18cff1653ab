// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation_ui/SizingPanel.h"

#include <QChartView>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "evaluation/Evaluation.h"
#include "evaluation_ui/ChartSupport.h"
#include "evaluation_ui/Charts.h"

namespace lumetra {

SizingPanel::SizingPanel(evaluation::Evaluation& evaluation, QWidget* parent)
    : QWidget(parent), evaluation_(evaluation) {
    batteryView_ = new QChartView(new QChart, this);
    batteryView_->setObjectName(QStringLiteral("sizingBatteryChart"));
    roofView_ = new QChartView(new QChart, this);
    roofView_->setObjectName(QStringLiteral("sizingRoofChart"));
    for (QChartView* view : {batteryView_, roofView_}) {
        view->setRenderHint(QPainter::Antialiasing);
        view->setMinimumSize(320, 260);
        charts::followPointTooltips(*view);
    }
    state_ = new QLabel(this);
    state_->setWordWrap(true);
    auto* charts = new QHBoxLayout;
    charts->addWidget(batteryView_);
    charts->addWidget(roofView_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(charts, 1);
    layout->addWidget(state_);
}

SizingPanel::~SizingPanel() {
    stopWorker();
}

void SizingPanel::stopWorker() {
    if (cancel_) {
        cancel_->store(true);
    }
    if (worker_.joinable()) {
        worker_.join();
    }
    computing_ = false;
}

void SizingPanel::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refresh();
}

void SizingPanel::refresh() {
    if (!isVisible()) {
        return;
    }
    if (!evaluation_.hasHourlyBalance()) {
        state_->setText(QStringLiteral("Ohne Klimadaten keine Stundenbilanz und keine Kurven."));
        return;
    }
    const simulation::SimulationInput& input = evaluation_.simulationInput();
    // Other tables (another data folder) give another curve of the same input.
    if (!roofInput_ || !evaluation::sameSimulationInput(*roofInput_, input) ||
        roofClimate_ != evaluation_.climate().get()) {
        startRoofCurve(input);
    }
    showCurves();
}

void SizingPanel::setSpread(const evaluation::Spread* spread) {
    band_ = spread != nullptr ? spread->sizingBand : std::vector<evaluation::SpreadBandPoint>();
    shownGeneration_ = 0;  // drawn again with or without the band
    refresh();
}

void SizingPanel::startRoofCurve(const simulation::SimulationInput& input) {
    stopWorker();
    roofInput_ = input;
    roofClimate_ = evaluation_.climate().get();
    roofDone_ = false;
    const std::uint64_t request = ++roofRequest_;
    // Other tables (another data folder) need a balance of their own.
    if (!workerBalance_ || &workerBalance_->climate() != evaluation_.climate().get()) {
        workerBalance_ = std::make_shared<simulation::HourlyBalance>(evaluation_.climate());
    }
    cancel_ = std::make_shared<std::atomic<bool>>(false);
    // The worker gets copies and its own hourly balance; the panel waits for it before it goes.
    worker_ = std::thread([this, balance = workerBalance_, cancel = cancel_, input, request] {
        std::vector<evaluation::SizingPoint> curve =
            evaluation::computeRoofCurve(*balance, input, *cancel);
        if (cancel->load()) {
            return;
        }
        QMetaObject::invokeMethod(
            this, [this, curve = std::move(curve), request] { roofCurveDone(curve, request); },
            Qt::QueuedConnection);
    });
}

void SizingPanel::roofCurveDone(std::vector<evaluation::SizingPoint> curve, std::uint64_t request) {
    if (request != roofRequest_) {
        return;  // an answer to an older request
    }
    if (worker_.joinable()) {
        worker_.join();
    }
    curves_.roof = std::move(curve);
    roofDone_ = true;
    showCurves();
}

void SizingPanel::showCurves() {
    const evaluation::BatterySweep* sweep = evaluation_.batterySweep();
    const simulation::HourlyResult* result = evaluation_.hourlyResult();
    computing_ = !roofDone_ || sweep == nullptr || result == nullptr;
    if (computing_) {
        state_->setText(QStringLiteral("Kurven werden berechnet ..."));
        return;
    }
    if (shownGeneration_ == evaluation_.generation()) {
        return;
    }
    curves_.battery = evaluation::batteryCurve(*sweep);
    curves_.complete = true;
    shownGeneration_ = evaluation_.generation();
    const double sufficiency = result->annual.selfSufficiency;
    const double share = result->annual.selfConsumptionShare;
    charts::fillSizingChart(*batteryView_->chart(), curves_.battery, charts::SizingKind::Battery,
                            result->batteryCapacity_kWh, sufficiency, share, &band_);
    charts::fillSizingChart(*roofView_->chart(), curves_.roof, charts::SizingKind::Roof,
                            result->peakPower_kWp, sufficiency, share);
    state_->setText(QStringLiteral(
        "Jeder Punkt aus einer Stundenbilanz des ganzen Jahres; Speicher und Grenzen der "
        "Stundenbilanz lassen sich unter \"Speicher\" unabhängig vom Hauptfenster wählen."));
}

}  // namespace lumetra
