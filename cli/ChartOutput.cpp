// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ChartOutput.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageWriter>

#include <filesystem>

#include "energy/MonthlyChart.h"
#include "persistence/FileAccess.h"

namespace lumetra::cli {

bool writeChartPng(const MonthlyFigures& figures, int width, int height, const std::string& path) {
    const Image24 chart = drawMonthlyChart(figures, width, height);
    if (chart.isEmpty()) {
        return false;
    }
    const QImage image(chart.data(), chart.width(), chart.height(), 3 * chart.width(),
                       QImage::Format_RGB888);
    // Encoded in memory first, then written as the data file is: a full disk or a failed write
    // is reported and leaves the previous chart as it was, never a cut or empty PNG.
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly)) {
        return false;
    }
    QImageWriter writer(&buffer, "PNG");
    if (!writer.write(image) || png.isEmpty()) {
        return false;
    }
    buffer.close();
    return writeFileReplacing(
        std::filesystem::path(path),
        std::string_view(png.constData(), static_cast<std::size_t>(png.size())));
}

}  // namespace lumetra::cli
