// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QString>

#include <functional>
#include <string_view>

class QAbstractSeries;
class QChart;
class QChartView;
class QValueAxis;
class QXYSeries;

namespace lumetra::charts {

// Colours shared by the charts, the same flow always in the same colour.
inline const QColor kPvColour{232, 163, 23};
inline const QColor kDemandColour{70, 70, 70};
inline const QColor kSelfUseColour{46, 139, 87};
inline const QColor kGridColour{200, 55, 55};
inline const QColor kBatteryColour{65, 105, 225};
inline const QColor kMonthlyModelColour{128, 128, 128};

// Removes every series and axis and sets the title; legend at the bottom.
void resetChart(QChart& chart, const QString& title);

// A value axis with its title (which names the unit) and German numbers.
// `nice` widens the range to round numbers; without it the range stays exact.
QValueAxis* valueAxis(const QString& title, double minimum, double maximum,
                      const char* labelFormat = "%.0f", bool nice = true);

// Attaches a series to the chart's first horizontal and vertical axes.
void attach(QChart& chart, QAbstractSeries* series);

// A number in the German form for tooltips ("1.234,5").
QString german(double value, int decimals);

// Shows a tooltip with `text` at the mouse; an empty text hides it.
void showTooltip(const QString& text);

// The tooltip of a line's point, by the point's index.
using PointText = std::function<QString(int index)>;

// Gives the points of `series` a tooltip, shown by a view that follows the mouse: near the
// line, or at any height over the point (for a line that stands for a band around it).
enum class TooltipReach { NearLine, AnyHeight };
void setPointTooltip(QXYSeries& series, PointText text,
                     TooltipReach reach = TooltipReach::NearLine);

// Makes `view` show, on every move of the mouse, the tooltip of the point nearest the mouse on
// the nearest line that has point tooltips (within a few pixels of the line), and hide it when
// the mouse leaves the lines. A line's own hover signal comes only when the mouse enters it,
// and from the topmost of lines lying close together, so it would keep a stale value or name
// the wrong line.
void followPointTooltips(QChartView& view);

// The German short month names, January first.
QString monthName(int month);

}  // namespace lumetra::charts
