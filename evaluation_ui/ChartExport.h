// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QRectF>
#include <QSize>
#include <QString>

class QChart;
class QPainter;

namespace lumetra::charts {

// Draws the charts side by side into `target` (vector where the painter's device is).
void renderCharts(QPainter& painter, const QRectF& target, const QList<QChart*>& charts);

// The charts side by side as a PNG image and as an SVG drawing, each chart at `chartSize`.
bool writeChartsPng(const QString& path, const QList<QChart*>& charts, QSize chartSize);
bool writeChartsSvg(const QString& path, const QList<QChart*>& charts, QSize chartSize);

// A file name offered for an export: "<data file's base name>-<what>.<extension>" in the data
// file's folder; without a data file "lumetra-<what>.<extension>" in the current folder.
QString offeredExportName(const QString& dataFilePath, const QString& what,
                          const QString& extension);

}  // namespace lumetra::charts
