// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation_ui/ReportLayout.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <memory>
#include <utility>

namespace lumetra {

namespace {

constexpr double kMmPerPoint = 25.4 / 72;
constexpr double kSectionPoints = 11;
constexpr double kFooterPoints = 7.5;
// Kept free under the content for the footer.
constexpr double kFooterSpace_mm = 7;
// A paragraph is wrapped a little narrower than it is drawn, so that the printer's font metrics
// never need a line more than were counted.
constexpr double kWrapSlack = 0.97;

QRectF mmRect(double perMm, double x, double y, double w, double h) {
    return {x * perMm, y * perMm, w * perMm, h * perMm};
}

QFont reportFont(double points, bool bold) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

void setFont(QPainter& painter, double points, bool bold) {
    painter.setFont(reportFont(points, bold));
}

// The text in lines no wider than `width_mm` in the report's font, broken after the last "/"
// or blank of a line where that keeps at least half of it, else after the last character that
// fits. The widths are measured with a tenth to spare: a device of another resolution may set
// the glyphs a little wider.
QStringList wrapToWidth(const QString& text, double points, double width_mm) {
    const QFontMetricsF metrics(reportFont(points, false));
    const double widthPixels = width_mm / 25.4 * metrics.fontDpi() * 0.9;
    QStringList lines;
    QString rest = text;
    while (!rest.isEmpty()) {
        qsizetype fits = 0;
        while (fits < rest.size() &&
               metrics.horizontalAdvance(rest.left(fits + 1)) <= widthPixels) {
            ++fits;
        }
        if (fits >= rest.size()) {
            lines.append(rest);
            break;
        }
        fits = std::max<qsizetype>(fits, 1);
        qsizetype cut = fits;
        for (qsizetype i = fits; i > fits / 2; --i) {
            const QChar before = rest.at(i - 1);
            if (before == QLatin1Char('/') || before == QLatin1Char(' ')) {
                cut = i;
                break;
            }
        }
        lines.append(rest.left(cut));
        rest = rest.mid(cut);
    }
    return lines;
}

double headingHeight(double points) {
    return points * kMmPerPoint * 1.5 + 1;
}

double lineHeight(double points) {
    return points * kMmPerPoint * 1.45;
}

// The height in mm of `text` wrapped at `width_mm`, measured on an image of 10 pixels per mm.
double wrappedHeight(const QString& text, double points, bool bold, double width_mm) {
    constexpr double kPixelsPerMm = 10;
    QImage probe(1, 1, QImage::Format_RGB32);
    probe.setDotsPerMeterX(static_cast<int>(kPixelsPerMm * 1000));
    probe.setDotsPerMeterY(static_cast<int>(kPixelsPerMm * 1000));
    const QFontMetricsF metrics(reportFont(points, bold), &probe);
    const QRectF bounds = metrics.boundingRect(
        QRectF(0, 0, width_mm * kWrapSlack * kPixelsPerMm, 1e6), Qt::TextWordWrap, text);
    return std::max(bounds.height() / kPixelsPerMm, lineHeight(points));
}

struct TableData {
    QStringList header;
    QList<QStringList> rows;
    QList<double> widths;
    double points = 8.5;

    // A row of several lines (a header "Ertrag\n(kWh)") is higher than one of one line.
    double rowHeight(const QStringList& cells) const {
        int lines = 1;
        for (const QString& cell : cells) {
            lines = std::max(lines, static_cast<int>(cell.count(QLatin1Char('\n'))) + 1);
        }
        return points * kMmPerPoint * 1.55 * (lines == 1 ? 1.0 : lines * 0.8);
    }

    // Draws one row at `y` and returns its height.
    double drawRow(QPainter& painter, double perMm, double width, double y,
                   const QStringList& cells, bool bold, bool shade) const {
        setFont(painter, points, bold);
        const double height = rowHeight(cells);
        if (shade) {
            painter.fillRect(mmRect(perMm, 0, y, width, height), QColor(238, 238, 238));
        }
        double total = 0;
        for (double w : widths) {
            total += w;
        }
        double x = 0;
        for (int c = 0; c < cells.size() && c < widths.size(); ++c) {
            const double w = width * widths[c] / total;
            const Qt::Alignment align =
                (c == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter;
            painter.drawText(mmRect(perMm, x + 1, y, w - 2, height), align, cells[c]);
            x += w;
        }
        return height;
    }
};

}  // namespace

QPageLayout ReportLayout::pageLayout() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                       QPageLayout::Millimeter);
}

ReportLayout::ReportLayout() {
    const QRectF printable = pageLayout().paintRect(QPageLayout::Millimeter);
    width_mm_ = printable.width();
    height_mm_ = printable.height() - kFooterSpace_mm;
    pages_.emplace_back();
}

void ReportLayout::paintPage(int index, QPainter& painter, double perMm) const {
    for (const Drawing& drawing : pages_.at(static_cast<std::size_t>(index))) {
        drawing(painter, perMm);
    }
    const QRectF footer = mmRect(perMm, 0, height_mm_ + kFooterSpace_mm - lineHeight(kFooterPoints),
                                 width_mm_, lineHeight(kFooterPoints));
    painter.setPen(QColor(90, 90, 90));
    setFont(painter, kFooterPoints, false);
    painter.drawText(footer, Qt::AlignLeft | Qt::AlignVCenter, footer_);
    painter.drawText(footer, Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("Seite %1 von %2").arg(index + 1).arg(pageCount()));
    painter.setPen(Qt::black);
}

void ReportLayout::add(Drawing drawing) {
    pages_.back().push_back(std::move(drawing));
}

void ReportLayout::newPage() {
    pages_.emplace_back();
    y_mm_ = 0;
}

void ReportLayout::makeRoom(double height_mm) {
    const double heading = sectionPending_ ? headingHeight(kSectionPoints) : 0;
    if (y_mm_ > 0 && y_mm_ + heading + height_mm > height_mm_) {
        newPage();
    }
    if (sectionPending_) {
        sectionPending_ = false;
        placeHeading(section_, kSectionPoints);
    }
}

void ReportLayout::placeHeading(const QString& text, double points) {
    const double y = y_mm_;
    const double width = width_mm_;
    add([=](QPainter& painter, double perMm) {
        setFont(painter, points, true);
        painter.drawText(mmRect(perMm, 0, y, width, headingHeight(points) - 1),
                         Qt::AlignLeft | Qt::AlignVCenter, text);
    });
    y_mm_ += headingHeight(points);
}

void ReportLayout::heading(const QString& text, double points) {
    makeRoom(headingHeight(points));
    placeHeading(text, points);
}

void ReportLayout::section(const QString& title) {
    section_ = title;
    sectionPending_ = true;
}

void ReportLayout::line(const QString& text, double points) {
    const double height = lineHeight(points);
    makeRoom(height);
    const double y = y_mm_;
    const double width = width_mm_;
    add([=](QPainter& painter, double perMm) {
        setFont(painter, points, false);
        painter.drawText(mmRect(perMm, 0, y, width, height), Qt::AlignLeft | Qt::AlignVCenter,
                         text);
    });
    y_mm_ += height;
}

void ReportLayout::paragraph(const QString& text, double points, bool bold) {
    const double width = width_mm_;
    const double height = wrappedHeight(text, points, bold, width) + 1;
    makeRoom(height);
    const double y = y_mm_;
    add([=](QPainter& painter, double perMm) {
        setFont(painter, points, bold);
        painter.drawText(mmRect(perMm, 0, y, width, height),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
    });
    y_mm_ += height + 1;
}

void ReportLayout::wrappedLine(const QString& text, double points) {
    for (const QString& piece : wrapToWidth(text, points, width_mm_)) {
        line(piece, points);
    }
}

void ReportLayout::table(const QStringList& header, const QList<QStringList>& rows,
                         const QList<double>& widths, double points) {
    const auto data = std::make_shared<const TableData>(TableData{header, rows, widths, points});
    const double headerHeight = data->rowHeight(header);
    // The header row never stands alone at the foot of a page.
    makeRoom(headerHeight + (rows.isEmpty() ? 0 : data->rowHeight(rows.front())));
    const double width = width_mm_;
    qsizetype next = 0;
    for (;;) {
        const double top = y_mm_;
        const qsizetype begin = next;
        y_mm_ += headerHeight;
        while (next < rows.size() &&
               (y_mm_ + data->rowHeight(rows[next]) <= height_mm_ || next == begin)) {
            y_mm_ += data->rowHeight(rows[next]);
            ++next;
        }
        const qsizetype end = next;
        add([=](QPainter& painter, double perMm) {
            double y = top;
            y += data->drawRow(painter, perMm, width, y, data->header, true, true);
            for (qsizetype r = begin; r < end; ++r) {
                y += data->drawRow(painter, perMm, width, y, data->rows[r], false, r % 2 == 1);
            }
            painter.setPen(QPen(QColor(160, 160, 160), 0));
            painter.drawLine(mmRect(perMm, 0, y, width, 0).topLeft(),
                             mmRect(perMm, 0, y, width, 0).topRight());
            painter.setPen(Qt::black);
        });
        if (next >= rows.size()) {
            break;
        }
        // The rest goes on the next page, under the section's heading and the header again.
        newPage();
        if (!section_.isEmpty()) {
            placeHeading(section_ + QStringLiteral(" (Fortsetzung)"), kSectionPoints);
        }
    }
    y_mm_ += 2;
}

void ReportLayout::block(double height_mm,
                         std::function<void(QPainter&, const QRectF& target)> draw) {
    makeRoom(height_mm);
    const double y = y_mm_;
    const double width = width_mm_;
    add([=, draw = std::move(draw)](QPainter& painter, double perMm) {
        draw(painter, mmRect(perMm, 0, y, width, height_mm));
    });
    y_mm_ += height_mm + 2;
}

}  // namespace lumetra
