// SPDX-License-Identifier: GPL-3.0-or-later
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPen>
#include <QScatterSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

#include "evaluation/Evaluation.h"
#include "evaluation_ui/ChartSupport.h"
#include "evaluation_ui/Charts.h"

namespace lumetra::charts {

namespace {

QLineSeries* cumulativeLine(const evaluation::MoneyResult& money, const QString& name,
                            const QPen& pen, double& low, double& high) {
    auto* line = new QLineSeries;
    line->setName(name);
    line->setPen(pen);
    line->setPointsVisible(true);
    for (const evaluation::MoneyYear& year : money.years) {
        line->append(year.year, year.cumulative_EUR);
        low = std::min(low, year.cumulative_EUR);
        high = std::max(high, year.cumulative_EUR);
    }
    setPointTooltip(*line, [line, name](int n) {
        return name + QStringLiteral(", Jahr %1: %2 Euro")
                          .arg(static_cast<int>(std::lround(line->at(n).x())))
                          .arg(german(line->at(n).y(), 0));
    });
    return line;
}

}  // namespace

void fillMoneyChart(QChart& chart, const evaluation::Evaluation& evaluation) {
    resetChart(chart, QStringLiteral("Kumulierter Zahlungsfluss"));
    const evaluation::MoneyResult& hourly = evaluation.hourlyMoney();
    const evaluation::MoneyResult& monthly = evaluation.monthlyMoney();
    const int years = static_cast<int>(hourly.years.size()) - 1;

    double low = 0;
    double high = 0;
    QLineSeries* main = cumulativeLine(hourly,
                                       evaluation.hourlyFigures() ? QStringLiteral("Stundenbilanz")
                                                                  : QStringLiteral("Monatsmodell"),
                                       QPen(kSelfUseColour, 2.5), low, high);
    QLineSeries* second = nullptr;
    if (evaluation.hourlyFigures()) {
        second = cumulativeLine(monthly, QStringLiteral("Monatsmodell"),
                                QPen(kMonthlyModelColour, 2, Qt::DashLine), low, high);
    }
    const double pad = std::max((high - low) * 0.05, 1.0);
    chart.addAxis(valueAxis(QStringLiteral("Jahr"), 0, std::max(years, 1)), Qt::AlignBottom);
    auto* axisX = static_cast<QValueAxis*>(chart.axes(Qt::Horizontal).first());
    axisX->setTickCount(std::min(years, 10) + 1);
    chart.addAxis(valueAxis(QStringLiteral("Kumuliert (Euro)"), low - pad, high + pad),
                  Qt::AlignLeft);

    auto* zero = new QLineSeries;
    zero->setName(QStringLiteral("Null-Linie"));
    zero->setPen(QPen(Qt::black, 1, Qt::DotLine));
    zero->append(0, 0);
    zero->append(std::max(years, 1), 0);
    chart.addSeries(zero);
    attach(chart, zero);
    for (QLegendMarker* marker : chart.legend()->markers(zero)) {
        marker->setVisible(false);
    }

    chart.addSeries(main);
    attach(chart, main);
    if (second != nullptr) {
        chart.addSeries(second);
        attach(chart, second);
    }
    if (hourly.paybackYears) {
        auto* payback = new QScatterSeries;
        payback->setName(QStringLiteral("Amortisation"));
        payback->setColor(kGridColour);
        payback->setMarkerSize(11);
        payback->append(*hourly.paybackYears, 0);
        chart.addSeries(payback);
        attach(chart, payback);
    }
}

}  // namespace lumetra::charts
