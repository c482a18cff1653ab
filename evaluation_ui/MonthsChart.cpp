// SPDX-License-Identifier: GPL-3.0-or-later
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QLegend>
#include <QLineSeries>
#include <QPen>
#include <QToolTip>
#include <QValueAxis>

#include <algorithm>

#include "evaluation/Evaluation.h"
#include "evaluation_ui/ChartSupport.h"
#include "evaluation_ui/Charts.h"

namespace lumetra::charts {

namespace {

QString kwhTip(const QString& name, int month, double value) {
    return name + QStringLiteral(", ") + monthName(month) + QStringLiteral(": ") +
           german(value, 0) + QStringLiteral(" kWh");
}

}  // namespace

void fillMonthsChart(QChart& chart, const evaluation::Evaluation& evaluation) {
    resetChart(chart, QStringLiteral("Energie je Monat"));
    chart.legend()->setAlignment(Qt::AlignRight);
    const MonthlyFigures& monthly = evaluation.monthlyModelArrays();
    const simulation::HourlyResult* hourly = evaluation.hourlyResult();

    double top = 0;
    auto* axisX = new QBarCategoryAxis;
    for (int m = 0; m < 12; ++m) {
        axisX->append(monthName(m));
    }
    axisX->setTitleText(QStringLiteral("Monat"));
    chart.addAxis(axisX, Qt::AlignBottom);

    auto* bars = new QBarSeries;
    if (hourly != nullptr) {
        struct BarDef {
            QString name;
            QColor colour;
            double (*value)(const simulation::FlowSums&);
        };
        const BarDef defs[] = {
            {QStringLiteral("Ertrag (Stundenbilanz)"), kPvColour,
             [](const simulation::FlowSums& f) { return f.yield_kWh; }},
            {QStringLiteral("Eigenverbrauch (Stundenbilanz)"), kSelfUseColour,
             [](const simulation::FlowSums& f) { return f.direct_kWh + f.batteryDischarge_kWh; }},
            {QStringLiteral("Netzbezug (Stundenbilanz)"), kGridColour,
             [](const simulation::FlowSums& f) { return f.purchase_kWh; }},
        };
        for (const BarDef& def : defs) {
            auto* set = new QBarSet(def.name);
            set->setColor(def.colour);
            set->setBorderColor(def.colour.darker(120));
            for (int m = 0; m < 12; ++m) {
                const double value = def.value(hourly->monthly[static_cast<std::size_t>(m)]);
                *set << value;
                top = std::max(top, value);
            }
            const QString name = def.name;
            // Each bar is an item of its own that tells when the mouse enters and leaves it;
            // leaving hides only its own text, not a line's shown meanwhile.
            QObject::connect(set, &QBarSet::hovered, set, [set, name](bool status, int index) {
                const QString tip = kwhTip(name, index, set->at(index));
                if (status) {
                    showTooltip(tip);
                } else if (QToolTip::text() == tip) {
                    showTooltip({});
                }
            });
            bars->append(set);
        }
    }
    chart.addSeries(bars);
    bars->attachAxis(axisX);

    struct LineDef {
        QString name;
        QColor colour;
        const MonthlyValues* values;
    };
    const LineDef lines[] = {
        {QStringLiteral("Ertrag (Monatsmodell)"), kPvColour.darker(140), &monthly.monthlyYield},
        {QStringLiteral("Eigenverbrauch (Monatsmodell)"), kSelfUseColour.darker(140),
         &monthly.monthlySelfUse},
        {QStringLiteral("Netzbezug (Monatsmodell)"), kGridColour.darker(140),
         &monthly.monthlyPurchase},
    };
    std::vector<QLineSeries*> lineSeries;
    for (const LineDef& def : lines) {
        auto* line = new QLineSeries;
        line->setName(def.name);
        QPen pen(def.colour, 2, Qt::DashLine);
        line->setPen(pen);
        line->setPointsVisible(true);
        for (int m = 0; m < 12; ++m) {
            const double value = (*def.values)[static_cast<std::size_t>(m)];
            line->append(m, value);
            top = std::max(top, value);
        }
        const QString name = def.name;
        setPointTooltip(*line, [line, name](int m) { return kwhTip(name, m, line->at(m).y()); });
        chart.addSeries(line);
        lineSeries.push_back(line);
    }
    QValueAxis* axisY = valueAxis(QStringLiteral("Energie (kWh)"), 0, std::max(top * 1.05, 1.0));
    chart.addAxis(axisY, Qt::AlignLeft);
    bars->attachAxis(axisY);
    for (QLineSeries* line : lineSeries) {
        line->attachAxis(axisX);
        line->attachAxis(axisY);
    }
}

}  // namespace lumetra::charts
