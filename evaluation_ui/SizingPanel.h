// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <thread>

#include "evaluation/SizingSweep.h"
#include "evaluation/Spread.h"

class QChartView;
class QLabel;

namespace lumetra::evaluation {
class Evaluation;
}

namespace lumetra {

// "Dimensionierung": self-sufficiency and self-consumption share over the battery size and
// over the roof's size, from the hourly balance, the current choice marked. The battery's curve
// is the evaluation's battery sweep (computed off the window's thread with the hourly result);
// the roof's takes a dozen runs of the year, which a worker thread computes with its own
// hourly balance while the tab is on show; a newer input cancels an older one.
class SizingPanel : public QWidget {
    Q_OBJECT

  public:
    SizingPanel(evaluation::Evaluation& evaluation, QWidget* parent);
    ~SizingPanel() override;

    // Starts the roof's curve for the evaluation's current input when the panel is on show and
    // it is not computed for it yet, and shows both curves once they are there.
    void refresh();
    // The band of the simulated homes around the battery's curve (nothing: no band).
    void setSpread(const evaluation::Spread* spread);
    const std::vector<evaluation::SpreadBandPoint>& band() const { return band_; }

    // Whether a curve of the current input is still to come.
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
    void startRoofCurve(const simulation::SimulationInput& input);
    void roofCurveDone(std::vector<evaluation::SizingPoint> curve, std::uint64_t request);
    // Draws both curves when both belong to the current input.
    void showCurves();

    evaluation::Evaluation& evaluation_;
    QChartView* batteryView_ = nullptr;
    QChartView* roofView_ = nullptr;
    QLabel* state_ = nullptr;
    std::thread worker_;
    std::shared_ptr<std::atomic<bool>> cancel_;
    std::shared_ptr<simulation::HourlyBalance> workerBalance_;
    // The input of the roof's curve there or under way, and which request that is.
    std::optional<simulation::SimulationInput> roofInput_;
    const simulation::ClimateTables* roofClimate_ = nullptr;  // the tables roofInput_ ran on
    std::uint64_t roofRequest_ = 0;
    bool roofDone_ = false;
    std::uint64_t shownGeneration_ = 0;
    bool computing_ = false;
    evaluation::SizingCurves curves_;
    std::vector<evaluation::SpreadBandPoint> band_;
};

}  // namespace lumetra
