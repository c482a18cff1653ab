// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ChartOutput.h"

#include <QImage>
#include <QString>

#include "energy/MonthlyChart.h"

namespace lumetra::cli {

bool writeChartPng(const MonthlyFigures& figures, int width, int height, const std::string& path) {
    const Image24 chart = drawMonthlyChart(figures, width, height);
    if (chart.isEmpty()) {
        return false;
    }
    const QImage image(chart.data(), chart.width(), chart.height(), 3 * chart.width(),
                       QImage::Format_RGB888);
    return image.save(QString::fromStdString(path), "PNG");
}

}  // namespace lumetra::cli
