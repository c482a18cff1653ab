// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DescriptionText.h"

#include <QFontMetricsF>
#include <QPainter>

#include <QTextOption>
#include <algorithm>
#include <cmath>

namespace lumetra {

DescriptionText::DescriptionText(QWidget* parent) : QLabel(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setMargin(2);
}

qreal DescriptionText::tabStop() const {
    // The texts' tables have one tab per line; a stop behind the longest text before a tab
    // lines them all up, whatever the font.
    const QFontMetricsF metrics(font());
    const qreal unit = metrics.averageCharWidth();
    qreal widest = 0;
    for (const QString& line : text().split(QLatin1Char('\n'))) {
        const qsizetype tab = line.indexOf(QLatin1Char('\t'));
        if (tab >= 0) {
            widest = std::max(widest, metrics.horizontalAdvance(line.left(tab)));
        }
    }
    return std::max(8 * unit, std::ceil(widest / unit + 1) * unit);
}

void DescriptionText::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    drawFrame(&painter);
    QTextOption option(Qt::AlignLeft | Qt::AlignTop);
    option.setWrapMode(QTextOption::WordWrap);
    option.setTabStopDistance(tabStop());
    const QRectF area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(area, text(), option);
}

}  // namespace lumetra
