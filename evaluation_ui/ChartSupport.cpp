// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation_ui/ChartSupport.h"

#include <QChart>
#include <QCursor>
#include <QLegend>
#include <QLocale>
#include <QToolTip>
#include <QValueAxis>

#include "evaluation/GermanNumber.h"

namespace lumetra::charts {

void resetChart(QChart& chart, const QString& title) {
    chart.removeAllSeries();
    for (QAbstractAxis* axis : chart.axes()) {
        chart.removeAxis(axis);
        delete axis;
    }
    chart.setTitle(title);
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

QString monthName(int month) {
    static const char* const kNames[] = {"Jan", "Feb", "Mär", "Apr", "Mai", "Jun",
                                         "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};
    return QString::fromUtf8(kNames[month % 12]);
}

}  // namespace lumetra::charts
