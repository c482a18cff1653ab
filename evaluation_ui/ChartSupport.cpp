// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation_ui/ChartSupport.h"

#include <QChart>
#include <QChartView>
#include <QCursor>
#include <QEvent>
#include <QLegend>
#include <QLocale>
#include <QMouseEvent>
#include <QToolTip>
#include <QValueAxis>
#include <QXYSeries>

#include <cmath>
#include <limits>

#include "evaluation/GermanNumber.h"

namespace lumetra::charts {

void resetChart(QChart& chart, const QString& title) {
    chart.removeAllSeries();
    for (QAbstractAxis* axis : chart.axes()) {
        chart.removeAxis(axis);
        delete axis;
    }
    // A chart filled again keeps its title: laying the rich text out anew cost more than the
    // series.
    if (chart.title() != title) {
        chart.setTitle(title);
    }
    chart.legend()->setVisible(true);
    chart.legend()->setAlignment(Qt::AlignBottom);
    chart.setAnimationOptions(QChart::NoAnimation);
    chart.setLocale(QLocale(QLocale::German, QLocale::Germany));
    chart.setLocalizeNumbers(true);
    chart.setMargins(QMargins(4, 4, 4, 4));
}

QValueAxis* valueAxis(const QString& title, double minimum, double maximum, const char* labelFormat,
                      bool nice) {
    auto* axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setRange(minimum, maximum);
    axis->setLabelFormat(QString::fromLatin1(labelFormat));
    if (nice && maximum > minimum) {
        axis->applyNiceNumbers();
    }
    return axis;
}

void attach(QChart& chart, QAbstractSeries* series) {
    const auto horizontal = chart.axes(Qt::Horizontal);
    const auto vertical = chart.axes(Qt::Vertical);
    if (!horizontal.isEmpty()) {
        series->attachAxis(horizontal.first());
    }
    if (!vertical.isEmpty()) {
        series->attachAxis(vertical.first());
    }
}

QString german(double value, int decimals) {
    return QString::fromStdString(evaluation::formatGerman(value, decimals));
}

void showTooltip(const QString& text) {
    if (text.isEmpty()) {
        QToolTip::hideText();
    } else {
        QToolTip::showText(QCursor::pos(), text);
    }
}

namespace {

const char* const kPointTooltipProperty = "lumetraPointTooltip";

// The text of a series' point tooltips; a child of the series, so it goes with it.
class PointTooltip : public QObject {
  public:
    PointTooltip(PointText textOfPoint, TooltipReach howFar, QObject* series)
        : QObject(series), text(std::move(textOfPoint)), reach(howFar) {}
    PointText text;
    TooltipReach reach;
};

const PointTooltip* pointTooltipOf(const QXYSeries& series) {
    return static_cast<const PointTooltip*>(
        series.property(kPointTooltipProperty).value<QObject*>());
}

// How far from a line, in pixels, the mouse still counts as on it.
constexpr double kReach = 7;

class PointTooltipFollower : public QObject {
  public:
    explicit PointTooltipFollower(QChartView& view) : QObject(&view), view_(view) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseMove) {
            follow(static_cast<QMouseEvent*>(event)->position());
        } else if (event->type() == QEvent::Leave && showing_) {
            showTooltip({});
            showing_ = false;
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    void follow(QPointF viewportPos) {
        QChart* chart = view_.chart();
        const QPointF pos = chart->mapFromScene(view_.mapToScene(viewportPos.toPoint()));
        const PointTooltip* best = nullptr;
        int bestIndex = 0;
        double bestDistance = kReach;
        if (chart->plotArea().adjusted(-kReach, -kReach, kReach, kReach).contains(pos)) {
            for (QAbstractSeries* abstract : chart->series()) {
                auto* series = qobject_cast<QXYSeries*>(abstract);
                const PointTooltip* tooltip =
                    series != nullptr && series->isVisible() ? pointTooltipOf(*series) : nullptr;
                if (tooltip == nullptr || series->count() == 0) {
                    continue;
                }
                auto [index, distance] = nearestPoint(*chart, *series, pos);
                if (tooltip->reach == TooltipReach::AnyHeight && chart->plotArea().contains(pos)) {
                    // Any line near the mouse still comes first.
                    distance = std::min(distance, kReach - 0.5);
                }
                if (distance < bestDistance) {
                    best = tooltip;
                    bestIndex = index;
                    bestDistance = distance;
                }
            }
        }
        if (best != nullptr) {
            showTooltip(best->text(bestIndex));
            showing_ = true;
        } else if (showing_) {
            showTooltip({});
            showing_ = false;
        }
    }

    // The point of `series` nearest the mouse in x, and the mouse's distance from the line
    // there (from the segment towards the mouse, or from the point itself).
    static std::pair<int, double> nearestPoint(QChart& chart, QXYSeries& series, QPointF pos) {
        const int count = static_cast<int>(series.count());
        int index = 0;
        double dx = std::numeric_limits<double>::max();
        for (int i = 0; i < count; ++i) {
            const double d = std::abs(chart.mapToPosition(series.at(i), &series).x() - pos.x());
            if (d < dx) {
                dx = d;
                index = i;
            }
        }
        const QPointF point = chart.mapToPosition(series.at(index), &series);
        double distance = std::hypot(point.x() - pos.x(), point.y() - pos.y());
        const int neighbour = pos.x() >= point.x() ? index + 1 : index - 1;
        if (neighbour >= 0 && neighbour < count) {
            const QPointF other = chart.mapToPosition(series.at(neighbour), &series);
            if (std::abs(other.x() - point.x()) > 1e-9) {
                const double t = (pos.x() - point.x()) / (other.x() - point.x());
                if (t >= 0 && t <= 1) {
                    const double lineY = point.y() + t * (other.y() - point.y());
                    distance = std::min(distance, std::abs(pos.y() - lineY));
                }
            }
        }
        return {index, distance};
    }

    QChartView& view_;
    bool showing_ = false;
};

}  // namespace

void setPointTooltip(QXYSeries& series, PointText text, TooltipReach reach) {
    auto* tooltip = new PointTooltip(std::move(text), reach, &series);
    series.setProperty(kPointTooltipProperty, QVariant::fromValue(static_cast<QObject*>(tooltip)));
}

void followPointTooltips(QChartView& view) {
    view.setMouseTracking(true);
    view.viewport()->setMouseTracking(true);
    view.viewport()->installEventFilter(new PointTooltipFollower(view));
}

QString monthName(int month) {
    static const char* const kNames[] = {"Jan", "Feb", "Mär", "Apr", "Mai", "Jun",
                                         "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};
    return QString::fromUtf8(kNames[month % 12]);
}

}  // namespace lumetra::charts
