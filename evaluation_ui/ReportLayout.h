// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QPageLayout>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class QPainter;

namespace lumetra {

// The report's pages, laid out before anything is painted, so that they can be counted and
// any range of them painted. Sizes in millimetres (text sizes in points) on the printable area
// of an A4 page in portrait with 15 mm margins. Each element goes below the one before, and
// onto the next page where it does not fit: a table breaks between rows and repeats its header
// row under its section's heading with "(Fortsetzung)"; a heading never stays alone at the
// foot of a page. Nothing is cut or left out. Each page ends with a footer line: a text of the
// report's own and "Seite n von N".
class ReportLayout {
  public:
    // What an element draws when its page is painted: `perMm` device pixels per millimetre.
    using Drawing = std::function<void(QPainter& painter, double perMm)>;

    // The page every report is laid out on.
    static QPageLayout pageLayout();

    ReportLayout();

    int pageCount() const { return static_cast<int>(pages_.size()); }
    // Paints page `index` (0-based) with the painter on a page of the device.
    void paintPage(int index, QPainter& painter, double perMm) const;

    // The following elements start on a new page.
    void newPage();
    void skip(double mm) { y_mm_ += mm; }
    // A bold heading of its own, such as the report's title.
    void heading(const QString& text, double points);
    // A section's heading: placed with the first element that follows it.
    void section(const QString& title);
    void line(const QString& text, double points = 9);
    // Text wrapped at the page's width, as high as its lines; `bold` for a verdict.
    void paragraph(const QString& text, double points = 9, bool bold = false);
    // The text on the left of every page's footer (the page number is on the right).
    void setFooter(const QString& text) { footer_ = text; }
    // A text of any length (a path) over as many lines as it needs: broken after a "/" or a
    // blank where one is near the end of a line, else anywhere; nothing runs off the page.
    void wrappedLine(const QString& text, double points = 9);
    // A table with a bold header row; `widths` in parts of the page width, the first column
    // left-aligned, the others right-aligned. A header cell may have two lines ("a\nb").
    void table(const QStringList& header, const QList<QStringList>& rows,
               const QList<double>& widths, double points = 8.5);
    // A block of the page's width and `height_mm`, drawn by `draw` into its rectangle.
    void block(double height_mm, std::function<void(QPainter&, const QRectF& target)> draw);

  private:
    // Makes room for an element of `height_mm` (and a section heading waiting for it): on a
    // new page when it does not fit on this one below what is there already.
    void makeRoom(double height_mm);
    void placeHeading(const QString& text, double points);
    void add(Drawing drawing);

    double width_mm_ = 0;
    double height_mm_ = 0;  // of the content, above the footer
    QString footer_;
    double y_mm_ = 0;
    std::vector<std::vector<Drawing>> pages_;
    QString section_;
    bool sectionPending_ = false;
};

}  // namespace lumetra
