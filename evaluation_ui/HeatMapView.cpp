// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation_ui/HeatMapView.h"

#include <QMouseEvent>

#include "evaluation_ui/ChartSupport.h"
#include "evaluation_ui/Charts.h"

namespace lumetra::charts {

HeatMapView::HeatMapView(HeatMapChart* chart, QWidget* parent)
    : QChartView(chart, parent), heatMap_(chart) {
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
}

void HeatMapView::mouseMoveEvent(QMouseEvent* event) {
    const QPointF scenePos = mapToScene(event->position().toPoint());
    const QPointF chartPos = heatMap_->mapFromScene(scenePos);
    if (heatMap_->plotArea().contains(chartPos)) {
        showTooltip(heatMap_->textAt(heatMap_->mapToValue(chartPos)));
    } else {
        showTooltip({});
    }
    QChartView::mouseMoveEvent(event);
}

}  // namespace lumetra::charts
