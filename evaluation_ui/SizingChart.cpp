// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAreaSeries>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPen>
#include <QScatterSeries>
#include <QValueAxis>

#include <algorithm>

#include "evaluation_ui/ChartSupport.h"
#include "evaluation_ui/Charts.h"

namespace lumetra::charts {

void fillSizingChart(QChart& chart, const std::vector<evaluation::SizingPoint>& points,
                     SizingKind kind, double currentSize, double currentSelfSufficiency,
                     double currentSelfConsumptionShare,
                     const std::vector<evaluation::SpreadBandPoint>* band) {
    const bool battery = kind == SizingKind::Battery;
    const QString unit = battery ? QStringLiteral("kWh") : QStringLiteral("kWp");
    // The current choice is named in the title, so the legend keeps to the two curves.
    resetChart(chart, (battery ? QStringLiteral("Wie groß ein Speicher?")
                               : QStringLiteral("Wie groß die Anlage?")) +
                          QStringLiteral("<br><small>rot: aktuelle Wahl, %1 %2</small>")
                              .arg(german(currentSize, 1), unit));
    double right = battery ? 20.0 : 1.0;
    for (const evaluation::SizingPoint& point : points) {
        right = std::max(right, point.size);
    }
    right = std::max(right, currentSize);
    chart.addAxis(valueAxis(battery ? QStringLiteral("Speicherkapazität (kWh)")
                                    : QStringLiteral("Anlagenleistung (kWp)"),
                            0, right, "%.0f"),
                  Qt::AlignBottom);
    chart.addAxis(valueAxis(QStringLiteral("Anteil (%)"), 0, 100), Qt::AlignLeft);

    // Behind the curves, so that they stay in sight: how far the simulated homes spread.
    if (band != nullptr && !band->empty()) {
        // The edges belong to the area, which the next fill removes with them.
        auto* area = new QAreaSeries;
        auto* low = new QLineSeries(area);
        auto* high = new QLineSeries(area);
        for (const evaluation::SpreadBandPoint& point : *band) {
            low->append(point.battery_kWh, point.selfSufficiency.p10 * 100);
            high->append(point.battery_kWh, point.selfSufficiency.p90 * 100);
        }
        area->setUpperSeries(high);
        area->setLowerSeries(low);
        area->setName(QStringLiteral("Spanne der Haushalte"));
        QColor fill = kSelfUseColour;
        fill.setAlpha(60);
        area->setBrush(fill);
        area->setPen(Qt::NoPen);
        chart.addSeries(area);
        attach(chart, area);
    }

    const auto addLine = [&](const QString& name, const QColor& colour,
                             double evaluation::SizingPoint::*member) {
        auto* line = new QLineSeries;
        line->setName(name);
        line->setPen(QPen(colour, 2));
        line->setPointsVisible(true);
        for (const evaluation::SizingPoint& point : points) {
            line->append(point.size, point.*member * 100);
        }
        setPointTooltip(*line, [line, name, unit](int i) {
            const QPointF p = line->at(i);
            return QStringLiteral("%1 bei %2 %3: %4 %")
                .arg(name, german(p.x(), 1), unit, german(p.y(), 0));
        });
        chart.addSeries(line);
        attach(chart, line);
    };
    addLine(QStringLiteral("Autarkiegrad"), kSelfUseColour,
            &evaluation::SizingPoint::selfSufficiency);
    addLine(QStringLiteral("Eigenverbrauchsanteil"), kPvColour,
            &evaluation::SizingPoint::selfConsumptionShare);

    auto* current = new QScatterSeries;
    current->setName(QStringLiteral("Aktuelle Wahl: %1 %2").arg(german(currentSize, 1), unit));
    current->setColor(kGridColour);
    current->setMarkerSize(12);
    current->append(currentSize, currentSelfSufficiency * 100);
    current->append(currentSize, currentSelfConsumptionShare * 100);
    chart.addSeries(current);
    attach(chart, current);
    for (QLegendMarker* marker : chart.legend()->markers(current)) {
        marker->setVisible(false);
    }
}

}  // namespace lumetra::charts
