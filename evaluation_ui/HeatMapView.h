// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QChartView>

namespace lumetra::charts {

class HeatMapChart;

// Shows the heat map and tells the value under the mouse in a tooltip.
class HeatMapView : public QChartView {
    Q_OBJECT

  public:
    HeatMapView(HeatMapChart* chart, QWidget* parent);

  protected:
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    HeatMapChart* heatMap_;
};

}  // namespace lumetra::charts
