// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAreaSeries>
#include <QLineSeries>
#include <QPen>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

#include "evaluation/Evaluation.h"
#include "evaluation/SeriesAggregates.h"
#include "evaluation_ui/ChartSupport.h"
#include "evaluation_ui/Charts.h"

namespace lumetra::charts {

void fillBatteryChart(QChart& chart, const evaluation::Evaluation& evaluation) {
    resetChart(chart, QStringLiteral("Ladezustand des Speichers"));
    const simulation::HourlyResult* result = evaluation.hourlyResult();
    const double capacity = result != nullptr ? result->batteryCapacity_kWh : 0;
    if (capacity <= 0) {
        chart.setTitle(QStringLiteral("Ladezustand des Speichers (kein Speicher)"));
    }
    chart.addAxis(valueAxis(QStringLiteral("Tag des Jahres"), 1, 365, "%.0f", false),
                  Qt::AlignBottom);
    chart.addAxis(
        valueAxis(QStringLiteral("Ladezustand (kWh)"), 0, std::max(capacity, 1.0), "%.1f"),
        Qt::AlignLeft);

    auto* upper = new QLineSeries;
    auto* lower = new QLineSeries;
    auto* mean = new QLineSeries;
    std::vector<evaluation::DailyRange> days;
    if (result != nullptr && capacity > 0) {
        days = evaluation::dailyStateOfCharge(result->steps);
    }
    for (std::size_t d = 0; d < days.size(); ++d) {
        const double day = static_cast<double>(d) + 1;
        upper->append(day, days[d].maximum);
        lower->append(day, days[d].minimum);
        mean->append(day, days[d].mean);
    }
    auto* range = new QAreaSeries(upper, lower);
    // The band does not own its edges; it takes them along when the chart deletes it.
    upper->setParent(range);
    lower->setParent(range);
    range->setName(QStringLiteral("Tagesbereich (kWh)"));
    QColor fill = kBatteryColour;
    fill.setAlpha(70);
    range->setBrush(fill);
    range->setPen(QPen(kBatteryColour.lighter(130), 1));
    chart.addSeries(range);
    attach(chart, range);

    mean->setName(QStringLiteral("Tagesmittel (kWh)"));
    mean->setPen(QPen(kBatteryColour.darker(130), 2));
    chart.addSeries(mean);
    attach(chart, mean);

    // The day under the mouse, at any height over the band.
    setPointTooltip(
        *mean,
        [days, mean](int index) {
            const int d = static_cast<int>(std::lround(mean->at(index).x())) - 1;
            if (d < 0 || d >= static_cast<int>(days.size())) {
                return QString();
            }
            const evaluation::DailyRange& r = days[static_cast<std::size_t>(d)];
            return QStringLiteral("Tag %1: Mittel %2 kWh, zwischen %3 und %4 kWh")
                .arg(d + 1)
                .arg(german(r.mean, 1), german(r.minimum, 1), german(r.maximum, 1));
        },
        TooltipReach::AnyHeight);
}

}  // namespace lumetra::charts
