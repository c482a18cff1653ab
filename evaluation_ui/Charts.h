// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QChart>
#include <QImage>

#include "evaluation/SizingSweep.h"
#include "evaluation/Spread.h"

namespace lumetra::evaluation {
class Evaluation;
}

namespace lumetra::charts {

// The charts of the Auswertung. Each fill function replaces the chart's series and axes with
// the evaluation's current figures; the window and the report call the same ones.

// Monthly energy: bars of the hourly balance (yield, self-use, purchase), lines of the
// monthly model's.
void fillMonthsChart(QChart& chart, const evaluation::Evaluation& evaluation);

// The average day of a month (5 = June, 11 = December) in quarter hours: PV, demand, battery
// and grid in kW; both days share the vertical range so they compare at a glance.
void fillDayChart(QChart& chart, const evaluation::Evaluation& evaluation, int month);

// The battery's state of charge over the year: the day's range and its mean, in kWh.
void fillBatteryChart(QChart& chart, const evaluation::Evaluation& evaluation);

// The cumulative cash flow over the years, of the hourly balance and of the monthly model.
void fillMoneyChart(QChart& chart, const evaluation::Evaluation& evaluation);

// Self-sufficiency and self-consumption share over the battery size or over the roof's peak
// power, the current choice marked. `band`, when given and not empty, is drawn as a shaded
// range of self-sufficiency (p10 to p90 of the simulated homes) behind the curves.
enum class SizingKind { Battery, Roof };
void fillSizingChart(QChart& chart, const std::vector<evaluation::SizingPoint>& points,
                     SizingKind kind, double currentSize, double currentSelfSufficiency,
                     double currentSelfConsumptionShare,
                     const std::vector<evaluation::SpreadBandPoint>* band = nullptr);

// The year as a picture, day by hour: PV surplus (warm colours) or deficit (blue) in kWh per
// hour, drawn as the plot area's background between real axes.
class HeatMapChart : public QChart {
    Q_OBJECT

  public:
    HeatMapChart();
    void fill(const evaluation::Evaluation& evaluation);
    // The tooltip text at a point in chart values (day, hour); empty outside the year.
    QString textAt(const QPointF& value) const;
    const QImage& image() const { return image_; }

  private:
    void placeImage();

    QImage image_;
    std::vector<double> surplus_;
    double scale_ = 1;
};

}  // namespace lumetra::charts
