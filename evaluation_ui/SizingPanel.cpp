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
    if (!isVisible() || evaluation_.generation() == requestedGeneration_) {
        return;
    }
    if (!evaluation_.hasHourlyBalance()) {
        state_->setText(QStringLiteral("Ohne Klimadaten keine Stundenbilanz und keine Kurven."));
        return;
    }
    stopWorker();
    requestedGeneration_ = evaluation_.generation();
    // Other tables (another data folder) need a balance of their own.
    if (!workerBalance_ || &workerBalance_->climate() != evaluation_.climate().get()) {
        workerBalance_ = std::make_shared<simulation::HourlyBalance>(evaluation_.climate());
    }
    cancel_ = std::make_shared<std::atomic<bool>>(false);
    computing_ = true;
    state_->setText(QStringLiteral("Kurven werden berechnet ..."));
    // The worker gets copies and its own hourly balance; the panel waits for it before it goes.
    worker_ = std::thread([this, balance = workerBalance_, cancel = cancel_,
                           input = evaluation_.simulationInput(),
                           generation = requestedGeneration_] {
        evaluation::SizingCurves curves = evaluation::computeSizingCurves(*balance, input, *cancel);
        if (!curves.complete) {
            return;
        }
        QMetaObject::invokeMethod(
            this,
            [this, curves = std::move(curves), generation] { showCurves(curves, generation); },
            Qt::QueuedConnection);
    });
}

void SizingPanel::showCurves(const evaluation::SizingCurves& curves, std::uint64_t generation) {
    if (generation != requestedGeneration_) {
        return;  // an answer to an older request
    }
    if (worker_.joinable()) {
        worker_.join();
    }
    computing_ = false;
    curves_ = curves;
    shownGeneration_ = generation;
    drawCharts();
    state_->setText(QStringLiteral(
        "Jede Kurve aus je einer Stundenbilanz des ganzen Jahres; die Speichergröße der "
        "Stundenbilanz lässt sich unter \"Wirtschaftlichkeit\" unabhängig vom Hauptfenster "
        "wählen."));
}

void SizingPanel::drawCharts() {
    const simulation::HourlyResult* result = evaluation_.hourlyResult();
    if (result == nullptr) {
        return;
    }
    const double sufficiency = result->annual.selfSufficiency;
    const double share = result->annual.selfConsumptionShare;
    charts::fillSizingChart(*batteryView_->chart(), curves_.battery, charts::SizingKind::Battery,
                            result->batteryCapacity_kWh, sufficiency, share);
    charts::fillSizingChart(*roofView_->chart(), curves_.roof, charts::SizingKind::Roof,
                            result->peakPower_kWp, sufficiency, share);
}

}  // namespace lumetra
