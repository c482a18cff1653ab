// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QRectF>
#include <QSize>
#include <QSizeF>
#include <QString>

class QChart;
class QPainter;

namespace lumetra::charts {

// Draws the charts side by side into `target` (vector where the painter's device is), each laid
// out anew for its share of `target`: its axes, labels and legend are placed for that size and
// nothing is stretched. A chart is laid out at its share's size divided by `scale` and drawn
// `scale` times larger as a whole, so that its texts grow with it (1: pixel for pixel). A chart
// shown in a window gets its own size back afterwards.
void renderCharts(QPainter& painter, const QRectF& target, const QList<QChart*>& charts,
                  double scale = 1);
// The widest layout of an exported chart; a wider picture is drawn larger as a whole.
inline constexpr double kChartLayoutWidth = 900;

// The size a chart is exported at: `width` and `height` in pixels as chosen, 0 for "as shown"
// (both 0: the size the chart has on the screen; one of them 0: the other one with the
// proportions the chart has on the screen).
QSize exportChartSize(QSizeF shown, int width, int height);

// The charts side by side as a PNG image and as an SVG drawing, each chart at `chartSize`.
bool writeChartsPng(const QString& path, const QList<QChart*>& charts, QSize chartSize);
bool writeChartsSvg(const QString& path, const QList<QChart*>& charts, QSize chartSize);

// A file name offered for an export: "<data file's base name>-<what>.<extension>" in the data
// file's folder; without a data file "lumetra-<what>.<extension>" in the current folder.
QString offeredExportName(const QString& dataFilePath, const QString& what,
                          const QString& extension);

}  // namespace lumetra::charts
