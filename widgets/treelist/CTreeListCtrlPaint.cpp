// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing of the tree-list control's rows. The header is a QHeaderView and draws itself, so
// the control follows the platform style; colours come from the palette and the style.
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOption>

#include "widgets/treelist/CTreeListCtrl.h"

namespace lumetra {

namespace {

QColor colorOf(TreeListColor color) {
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

// `amount` of `over` laid on `under`: a tint that keeps per-cell colours recognisable.
QColor blend(const QColor& under, const QColor& over, double amount) {
    return QColor::fromRgbF(
        static_cast<float>(under.redF() * (1.0 - amount) + over.redF() * amount),
        static_cast<float>(under.greenF() * (1.0 - amount) + over.greenF() * amount),
        static_cast<float>(under.blueF() * (1.0 - amount) + over.blueF() * amount));
}

constexpr int kTextPadding = 4;

}  // namespace

void CTreeListCtrl::updateRow(HTREEITEM item) {
    if (item == 0) {
        return;
    }
    const int row = data_.rowIndexIfKnown(item);
    if (row < 0) {
        viewport()->update();
        return;
    }
    const int height = rowHeight();
    const QRect rect(0, row * height - verticalScrollBar()->value(), viewport()->width(), height);
    if (rect.intersects(viewport()->rect())) {
        viewport()->update(rect);
    }
}

void CTreeListCtrl::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    paintRows(painter, event->rect());
}

void CTreeListCtrl::paintRows(QPainter& painter, const QRect& area) {
    const int height = rowHeight();
    const int rows = data_.itemCount();
    const int columns = static_cast<int>(columnWidth_.size());
    if (rows == 0 || columns == 0) {
        return;
    }
    const int scrollY = verticalScrollBar()->value();
    const int firstRow = std::max(0, (area.top() + scrollY) / height);
    const int lastRow = std::min(rows - 1, (area.bottom() + scrollY) / height);

    const QPalette& colours = palette();
    const bool active = hasFocus() || (editor_ && editor_->hasFocus());
    const QColor base = colours.color(QPalette::Base);
    const QColor alternate = colours.color(QPalette::AlternateBase);
    const QColor highlight = colours.color(QPalette::Active, QPalette::Highlight);
    const QColor highlightText = colours.color(QPalette::Active, QPalette::HighlightedText);
    const QColor text = colours.color(QPalette::Text);
    QStyleOption option;
    option.initFrom(this);
    const QColor grid = QColor::fromRgba(
        static_cast<QRgb>(style()->styleHint(QStyle::SH_Table_GridLineColor, &option, this)));

    const bool cellFocus = (extendedStyle_ & TLXS_CELLFOCUS) != 0;
    const bool alternating = (extendedStyle_ & TLXS_ALTERNATEROWS) != 0;
    const bool gridLines = (extendedStyle_ & TLXS_GRIDLINES) != 0;
    const int right = std::min(contentWidth_ - horizontalScrollBar()->value(), area.right() + 1);

    for (int row = firstRow; row <= lastRow; ++row) {
        const HTREEITEM item = data_.itemAt(row);
        const bool focusRow = item == focusItem_;
        const QColor rowColour = alternating && row % 2 == 1 ? alternate : base;
        for (int c = 0; c < columns; ++c) {
            const QRect cell = cellRectInViewport(row, c);
            if (cell.width() <= 0 || !cell.intersects(area)) {
                continue;
            }
            const TreeListCell* content = data_.cell(item, c);
            QColor background = content->background >= 0 ? colorOf(content->background) : rowColour;
            QColor foreground = content->foreground >= 0 ? colorOf(content->foreground) : text;
            const bool focusCell = focusRow && (!cellFocus || c == focusColumn_);
            if (focusCell && active) {
                background = highlight;
                foreground = highlightText;
            } else if (focusRow) {
                // The rest of the focused row, or the focused cell while the control has no
                // focus: a tint, so that the row stays findable without hiding cell colours.
                background = blend(background, highlight, focusCell ? 0.35 : 0.12);
            }
            painter.fillRect(cell, background);
            if (focusCell && !active) {
                painter.setPen(highlight);
                painter.drawRect(cell.adjusted(0, 0, -1, -1));
            }
            if (!content->text.isEmpty()) {
                const TreeListColumn& column = *data_.column(c);
                const QRect textArea = cell.adjusted(kTextPadding, 0, -kTextPadding, 0);
                painter.setPen(foreground);
                painter.drawText(textArea, static_cast<int>(alignmentOf(column.format)),
                                 painter.fontMetrics().elidedText(content->text, Qt::ElideRight,
                                                                  textArea.width()));
            }
        }
        if (gridLines) {
            const int bottom = (row + 1) * height - scrollY - 1;
            painter.fillRect(QRect(area.left(), bottom, right - area.left(), 1), grid);
        }
    }
    if (gridLines) {
        const int top = firstRow * height - scrollY;
        const int bottom = (lastRow + 1) * height - scrollY;
        for (int c = 0; c < columns; ++c) {
            const QRect cell = cellRectInViewport(firstRow, c);
            if (cell.width() > 0) {
                painter.fillRect(QRect(cell.right(), top, 1, bottom - top), grid);
            }
        }
    }
}

}  // namespace lumetra
