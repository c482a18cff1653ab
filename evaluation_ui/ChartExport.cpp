// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation_ui/ChartExport.h"

#include <QBuffer>
#include <QChart>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include <algorithm>

#include "evaluation_ui/ExportFile.h"

namespace lumetra::charts {

namespace {

// Lays the chart out at `size` now: its layout, and the axes and series that follow it from
// posted events.
void layOutAt(QChart& chart, QSizeF size) {
    chart.resize(size);
    if (QGraphicsLayout* layout = chart.layout()) {
        layout->activate();
    }
    QCoreApplication::sendPostedEvents(&chart);
    if (QGraphicsLayout* layout = chart.layout()) {
        layout->activate();
    }
}

// Pixel for pixel up to the widest layout; wider pictures are drawn larger as a whole.
double layoutScale(QSize chartSize) {
    return std::max(1.0, chartSize.width() / kChartLayoutWidth);
}

}  // namespace

void renderCharts(QPainter& painter, const QRectF& target, const QList<QChart*>& charts,
                  double scale) {
    if (charts.isEmpty()) {
        return;
    }
    const double width = target.width() / static_cast<double>(charts.size());
    for (int i = 0; i < charts.size(); ++i) {
        QChart* chart = charts[i];
        if (chart->scene() == nullptr) {
            continue;
        }
        const QRectF cell(target.left() + i * width, target.top(), width, target.height());
        const QSizeF shown = chart->size();
        layOutAt(*chart, cell.size() / scale);
        chart->scene()->render(&painter, cell, chart->sceneBoundingRect(), Qt::KeepAspectRatio);
        if (chart->size() != shown && !shown.isEmpty()) {
            layOutAt(*chart, shown);
        }
    }
}

QSize exportChartSize(QSizeF shown, int width, int height) {
    if (shown.isEmpty()) {
        shown = QSizeF(kChartLayoutWidth, kChartLayoutWidth * 0.6);
    }
    if (width > 0 && height > 0) {
        return {width, height};
    }
    if (width > 0) {
        return {width, std::max(1, qRound(width * shown.height() / shown.width()))};
    }
    if (height > 0) {
        return {std::max(1, qRound(height * shown.width() / shown.height())), height};
    }
    return shown.toSize();
}

bool writeChartsPng(const QString& path, const QList<QChart*>& charts, QSize chartSize) {
    if (charts.isEmpty()) {
        return false;
    }
    QImage image(chartSize.width() * static_cast<int>(charts.size()), chartSize.height(),
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderCharts(painter, QRectF(QPointF(0, 0), image.size()), charts, layoutScale(chartSize));
    }
    // Encoded in memory, then written whole: a failed write never leaves a cut image.
    QByteArray png;
    QBuffer buffer(&png);
    return buffer.open(QIODevice::WriteOnly) && image.save(&buffer, "PNG") &&
           writeExportFile(path, png);
}

bool writeChartsSvg(const QString& path, const QList<QChart*>& charts, QSize chartSize) {
    if (charts.isEmpty()) {
        return false;
    }
    QByteArray drawing;
    QBuffer buffer(&drawing);
    if (!buffer.open(QIODevice::WriteOnly)) {
        return false;
    }
    const QSize size(chartSize.width() * static_cast<int>(charts.size()), chartSize.height());
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(QStringLiteral("Lumetra – Auswertung"));
    {
        QPainter painter;
        if (!painter.begin(&svg)) {
            return false;
        }
        painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
        renderCharts(painter, QRectF(QPointF(0, 0), size), charts, layoutScale(chartSize));
        if (!painter.end()) {
            return false;
        }
    }
    return writeExportFile(path, drawing);
}

QString offeredExportName(const QString& dataFilePath, const QString& what,
                          const QString& extension) {
    if (dataFilePath.isEmpty()) {
        return QDir::current().filePath(QStringLiteral("lumetra-") + what + QLatin1Char('.') +
                                        extension);
    }
    const QFileInfo info(dataFilePath);
    return info.dir().filePath(info.completeBaseName() + QLatin1Char('-') + what +
                               QLatin1Char('.') + extension);
}

}  // namespace lumetra::charts
