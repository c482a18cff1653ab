// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>

#include "evaluation/SizingSweep.h"

class QChartView;
class QLabel;

namespace lumetra::evaluation {
class Evaluation;
}

namespace lumetra {

// "Dimensionierung": self-sufficiency and self-consumption share over the battery size and
// over the roof's size, from the hourly balance, the current choice marked. The curves take
// some 30 runs of the year, so a worker thread computes them with its own hourly balance while
// the tab is on show; a newer request cancels an older one.
class SizingPanel : public QWidget {
    Q_OBJECT

  public:
    SizingPanel(evaluation::Evaluation& evaluation, QWidget* parent);
    ~SizingPanel() override;

    // Starts the curves for the evaluation's current input when the panel is on show and they
    // are not computed for it yet.
    void refresh();

    bool isComputing() const { return computing_; }
    // The generation of the evaluation the shown curves belong to (0: none yet).
    std::uint64_t shownGeneration() const { return shownGeneration_; }
    const evaluation::SizingCurves& curves() const { return curves_; }
    QChartView* batteryView() const { return batteryView_; }
    QChartView* roofView() const { return roofView_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void stopWorker();
    void showCurves(const evaluation::SizingCurves& curves, std::uint64_t generation);
    void drawCharts();

    evaluation::Evaluation& evaluation_;
    QChartView* batteryView_ = nullptr;
    QChartView* roofView_ = nullptr;
    QLabel* state_ = nullptr;
    std::thread worker_;
    std::shared_ptr<std::atomic<bool>> cancel_;
    std::shared_ptr<simulation::HourlyBalance> workerBalance_;
    std::uint64_t requestedGeneration_ = 0;
    std::uint64_t shownGeneration_ = 0;
    bool computing_ = false;
    evaluation::SizingCurves curves_;
};

}  // namespace lumetra
