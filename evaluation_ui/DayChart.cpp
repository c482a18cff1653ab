// SPDX-License-Identifier: GPL-3.0-or-later
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

namespace {

QString clock(double hours) {
    const int minutes = static_cast<int>(std::lround(hours * 60));
    return QStringLiteral("%1:%2 Uhr")
        .arg(minutes / 60, 2, 10, QLatin1Char('0'))
        .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

}  // namespace

void fillDayChart(QChart& chart, const evaluation::Evaluation& evaluation, int month) {
    const QString monthTitle = month == 5 ? QStringLiteral("Juni") : QStringLiteral("Dezember");
    resetChart(chart, QStringLiteral("Mittlerer Tag im ") + monthTitle +
                          QStringLiteral("<br><small>Speicher: + entladen, − laden; Netz: + "
                                         "Bezug, − Einspeisung</small>"));
    const simulation::HourlyResult* result = evaluation.hourlyResult();

    double low = 0;
    double high = 1;
    evaluation::DayProfile profile;
    if (result != nullptr) {
        profile = evaluation::averageDay(result->steps, month);
        // Both days on one scale: the range over June and December together.
        for (int m : {5, 11}) {
            const evaluation::DayProfile day = evaluation::averageDay(result->steps, m);
            for (const auto* values : {&day.pv, &day.demand, &day.battery, &day.grid}) {
                const auto [minimum, maximum] = std::minmax_element(values->begin(), values->end());
                low = std::min(low, *minimum);
                high = std::max(high, *maximum);
            }
        }
    }
    chart.addAxis(valueAxis(QStringLiteral("Uhrzeit (h)"), 0, 24), Qt::AlignBottom);
    auto* axisX = static_cast<QValueAxis*>(chart.axes(Qt::Horizontal).first());
    axisX->setRange(0, 24);
    axisX->setTickCount(7);
    chart.addAxis(valueAxis(QStringLiteral("Leistung (kW)"), low * 1.05, high * 1.05, "%.1f"),
                  Qt::AlignLeft);

    struct LineDef {
        QString name;
        QColor colour;
        const std::array<double, simulation::kStepsPerDay>* values;
    };
    const LineDef lines[] = {
        {QStringLiteral("PV"), kPvColour, &profile.pv},
        {QStringLiteral("Verbrauch"), kDemandColour, &profile.demand},
        {QStringLiteral("Speicher"), kBatteryColour, &profile.battery},
        {QStringLiteral("Netz"), kGridColour, &profile.grid},
    };
    for (const LineDef& def : lines) {
        auto* line = new QLineSeries;
        line->setName(def.name);
        line->setPen(QPen(def.colour, 2));
        if (result != nullptr) {
            for (int q = 0; q < simulation::kStepsPerDay; ++q) {
                line->append((q + 0.5) * simulation::kStepHours,
                             (*def.values)[static_cast<std::size_t>(q)]);
            }
        }
        const QString name = def.name;
        // Point q is the mean of the quarter hour that begins at q * 0.25 h.
        setPointTooltip(*line, [line, name](int q) {
            return name + QStringLiteral(", ") + clock(q * 0.25) + QStringLiteral(": ") +
                   german(line->at(q).y(), 2) + QStringLiteral(" kW");
        });
        chart.addSeries(line);
        attach(chart, line);
    }
}

}  // namespace lumetra::charts
