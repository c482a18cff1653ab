// SPDX-License-Identifier: GPL-3.0-or-later
// Geometry of the tree-list control: column widths (fixed ones first, the rest shared by
// weight), the header above the rows, scrolling, and the rectangles of cells.
#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>

#include <algorithm>

#include "widgets/treelist/CTreeListCtrl.h"

namespace lumetra {

int CTreeListCtrl::rowHeight() const {
    return std::max(fontMetrics().height() + 6, 16);
}

void CTreeListCtrl::layoutColumns() {
    const int count = data_.columnCount();
    columnLeft_.assign(static_cast<size_t>(count), 0);
    columnWidth_.assign(static_cast<size_t>(count), 0);

    int fixed = 0;
    int weights = 0;
    for (int c = 0; c < count; ++c) {
        const TreeListColumn& column = *data_.column(c);
        if (column.weight > 0) {
            weights += column.weight;
        } else {
            fixed += column.width;
        }
    }
    // Weighted columns share what the fixed ones leave over; cumulative rounding makes the
    // shares add up to exactly the leftover width.
    const long long leftover = std::max(0, viewport()->width() - fixed);
    long long weightSoFar = 0;
    long long sharedSoFar = 0;
    int x = 0;
    for (int c = 0; c < count; ++c) {
        const TreeListColumn& column = *data_.column(c);
        int width = column.width;
        if (column.weight > 0) {
            weightSoFar += column.weight;
            const long long end = (leftover * weightSoFar * 2 + weights) / (2LL * weights);
            width = std::max(static_cast<int>(end - sharedSoFar), column.limit);
            sharedSoFar = end;
        }
        columnLeft_[static_cast<size_t>(c)] = x;
        columnWidth_[static_cast<size_t>(c)] = width;
        x += width;
    }
    contentWidth_ = x;
    syncHeader();
    updateScrollBars();
    placeEditor();
    viewport()->update();
}

void CTreeListCtrl::syncHeader() {
    if (!isVisible()) {
        headerSyncPending_ = true;
        return;
    }
    headerSyncPending_ = false;
    for (int c = 0; c < static_cast<int>(columnWidth_.size()); ++c) {
        const int width = columnWidth_[static_cast<size_t>(c)];
        if (header_->isSectionHidden(c) != (width == 0)) {
            header_->setSectionHidden(c, width == 0);
            headerHeight_ = -1;
        }
        if (width > 0) {
            header_->resizeSection(c, width);
        }
    }
    // The header's height is known only once it has sections; the rows start below it. It is
    // measured again only when its texts, sections shown or font change: a resized section
    // makes the header measure every section's text anew.
    if (headerHeight_ < 0) {
        headerHeight_ = header_->sizeHint().height();
    }
    const int height = headerHeight_;
    if (viewportMargins().top() != height) {
        setViewportMargins(0, height, 0, 0);
    }
    const QRect area = viewport()->geometry();
    header_->setGeometry(area.left(), area.top() - height, area.width(), height);
    header_->setOffset(horizontalScrollBar()->value());
}

void CTreeListCtrl::updateScrollBars() {
    const int rows = data_.itemCount();
    const int height = rowHeight();
    verticalScrollBar()->setSingleStep(height);
    verticalScrollBar()->setPageStep(viewport()->height());
    verticalScrollBar()->setRange(0, std::max(0, rows * height - viewport()->height()));
    horizontalScrollBar()->setSingleStep(20);
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setRange(0, std::max(0, contentWidth_ - viewport()->width()));
}

int CTreeListCtrl::columnAt(int viewportX) const {
    const int x = viewportX + horizontalScrollBar()->value();
    for (int c = 0; c < static_cast<int>(columnLeft_.size()); ++c) {
        const int left = columnLeft_[static_cast<size_t>(c)];
        if (x >= left && x < left + columnWidth_[static_cast<size_t>(c)]) {
            return c;
        }
    }
    return -1;
}

QRect CTreeListCtrl::cellRectInViewport(int row, int column) const {
    if (column < 0 || column >= static_cast<int>(columnLeft_.size())) {
        return QRect();
    }
    const int height = rowHeight();
    return QRect(columnLeft_[static_cast<size_t>(column)] - horizontalScrollBar()->value(),
                 row * height - verticalScrollBar()->value(),
                 columnWidth_[static_cast<size_t>(column)], height);
}

void CTreeListCtrl::scrollCellIntoView(int row, int column) {
    if (row < 0) {
        return;
    }
    const int height = rowHeight();
    QScrollBar* vertical = verticalScrollBar();
    const int top = row * height;
    if (top < vertical->value()) {
        vertical->setValue(top);
    } else if (top + height > vertical->value() + viewport()->height()) {
        vertical->setValue(top + height - viewport()->height());
    }
    if (column >= 0 && column < static_cast<int>(columnLeft_.size())) {
        QScrollBar* horizontal = horizontalScrollBar();
        const int left = columnLeft_[static_cast<size_t>(column)];
        const int right = left + columnWidth_[static_cast<size_t>(column)];
        if (left < horizontal->value()) {
            horizontal->setValue(left);
        } else if (right > horizontal->value() + viewport()->width()) {
            horizontal->setValue(std::min(left, right - viewport()->width()));
        }
    }
}

void CTreeListCtrl::scrollContentsBy(int /*dx*/, int /*dy*/) {
    header_->setOffset(horizontalScrollBar()->value());
    placeEditor();
    viewport()->update();
}

bool CTreeListCtrl::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::Resize) {
        layoutColumns();
    }
    return QAbstractScrollArea::viewportEvent(event);
}

void CTreeListCtrl::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        headerHeight_ = -1;
        layoutColumns();
    }
    QAbstractScrollArea::changeEvent(event);
}

void CTreeListCtrl::showEvent(QShowEvent* event) {
    if (headerSyncPending_) {
        layoutColumns();
    }
    QAbstractScrollArea::showEvent(event);
}

}  // namespace lumetra
