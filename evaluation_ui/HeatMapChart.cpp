// SPDX-License-Identifier: GPL-3.0-or-later
#include <QBrush>
#include <QScatterSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

#include "evaluation/Evaluation.h"
#include "evaluation/SeriesAggregates.h"
#include "evaluation_ui/ChartSupport.h"
#include "evaluation_ui/Charts.h"

namespace lumetra::charts {

namespace {

constexpr int kDays = simulation::kDaysPerYear;

// Deficit blue, balance white, surplus orange; `t` from -1 to 1.
QRgb colourOf(double t) {
    t = std::clamp(t, -1.0, 1.0);
    const QColor warm(214, 96, 27);
    const QColor cold(43, 108, 196);
    const QColor& end = t >= 0 ? warm : cold;
    const double a = std::abs(t);
    return qRgb(static_cast<int>(255 + (end.red() - 255) * a),
                static_cast<int>(255 + (end.green() - 255) * a),
                static_cast<int>(255 + (end.blue() - 255) * a));
}

}  // namespace

HeatMapChart::HeatMapChart() {
    connect(this, &QChart::plotAreaChanged, this, &HeatMapChart::placeImage);
}

void HeatMapChart::fill(const evaluation::Evaluation& evaluation) {
    resetChart(*this, QStringLiteral("Jahreskarte: PV-Überschuss und Defizit je Stunde"));
    const simulation::HourlyResult* result = evaluation.hourlyResult();
    surplus_ = result != nullptr ? evaluation::hourlySurplus(result->steps) : std::vector<double>{};

    // The colour scale ends at the 98th percentile of the magnitudes, so a few extreme hours do
    // not wash out the rest.
    std::vector<double> magnitudes;
    magnitudes.reserve(surplus_.size());
    for (double v : surplus_) {
        magnitudes.push_back(std::abs(v));
    }
    scale_ = 1;
    if (!magnitudes.empty()) {
        const auto at =
            magnitudes.begin() + static_cast<std::ptrdiff_t>(magnitudes.size() * 98 / 100);
        std::nth_element(magnitudes.begin(), at, magnitudes.end());
        scale_ = std::max(*at, 1e-6);
    }
    image_ = QImage(kDays, 24, QImage::Format_RGB32);
    image_.fill(Qt::white);
    for (std::size_t i = 0; i < surplus_.size(); ++i) {
        const int day = static_cast<int>(i / 24);
        const int hour = static_cast<int>(i % 24);
        image_.setPixel(day, 23 - hour, colourOf(surplus_[i] / scale_));
    }

    addAxis(valueAxis(QStringLiteral("Tag des Jahres"), 0, kDays), Qt::AlignBottom);
    auto* axisX = static_cast<QValueAxis*>(axes(Qt::Horizontal).first());
    axisX->setRange(0, kDays);
    axisX->setTickCount(13);
    addAxis(valueAxis(QStringLiteral("Uhrzeit (h)"), 0, 24), Qt::AlignLeft);
    auto* axisY = static_cast<QValueAxis*>(axes(Qt::Vertical).first());
    axisY->setRange(0, 24);
    axisY->setTickCount(7);

    // Two marker-only series give the legend its colour key.
    const auto key = [this](const QString& name, double t) {
        auto* series = new QScatterSeries;
        series->setName(name);
        series->setColor(QColor(colourOf(t)));
        series->setBorderColor(QColor(colourOf(t)));
        addSeries(series);
        attach(*this, series);
    };
    key(QStringLiteral("Überschuss bis %1 kWh/h").arg(german(scale_, 1)), 1);
    key(QStringLiteral("Defizit bis %1 kWh/h").arg(german(scale_, 1)), -1);
    placeImage();
}

void HeatMapChart::placeImage() {
    const QRectF area = plotArea();
    if (area.isEmpty() || image_.isNull()) {
        return;
    }
    QBrush brush(
        image_.scaled(area.size().toSize(), Qt::IgnoreAspectRatio, Qt::FastTransformation));
    brush.setTransform(QTransform::fromTranslate(area.left(), area.top()));
    setPlotAreaBackgroundBrush(brush);
    setPlotAreaBackgroundVisible(true);
}

QString HeatMapChart::textAt(const QPointF& value) const {
    const int day = static_cast<int>(std::floor(value.x()));
    const int hour = static_cast<int>(std::floor(value.y()));
    if (day < 0 || day >= kDays || hour < 0 || hour >= 24 || surplus_.empty()) {
        return {};
    }
    const double v = surplus_[static_cast<std::size_t>(day * 24 + hour)];
    return QStringLiteral("Tag %1, %2–%3 Uhr: %4 %5 kWh")
        .arg(day + 1)
        .arg(hour)
        .arg(hour + 1)
        .arg(v >= 0 ? QStringLiteral("Überschuss") : QStringLiteral("Defizit"),
             german(std::abs(v), 2));
}

}  // namespace lumetra::charts
