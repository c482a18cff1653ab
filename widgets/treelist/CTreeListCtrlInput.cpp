// SPDX-License-Identifier: GPL-3.0-or-later
// Keyboard and mouse handling of the tree-list control: moving the focused cell, starting
// edits, and the context-menu request.
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

#include "widgets/treelist/CTreeListCtrl.h"

namespace lumetra {

int CTreeListCtrl::nextVisibleColumn(int column, int step) const {
    const int count = static_cast<int>(columnWidth_.size());
    for (int c = column + step; c >= 0 && c < count; c += step) {
        if (columnWidth_[static_cast<size_t>(c)] > 0) {
            return c;
        }
    }
    return column;
}

void CTreeListCtrl::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    HTREEITEM item = 0;
    int column = 0;
    bool editable = false;
    int flags = 0;
    {
        item = focusItem_;
        column = focusColumn_;
        editable = isCellEditable(item, column);
        flags = editable ? data_.column(column)->editorFlags : 0;
    }
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (editable && modifiers == Qt::NoModifier) {
                beginEdit(item, column, nullptr);
                return;
            }
            event->ignore();
            return;
        case Qt::Key_Delete:
            if (item != 0 && modifiers == Qt::NoModifier) {
                emit deleteKeyPressed(item);
                return;
            }
            break;
        case Qt::Key_F2:
            if (editable && (flags & kEditorOnF2) != 0) {
                beginEdit(item, column, nullptr);
                return;
            }
            break;
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_Left:
        case Qt::Key_Right:
            handleNavigationKey(event);
            return;
        default:
            break;
    }
    const QString text = event->text();
    const bool printable =
        !text.isEmpty() && text.at(0).isPrint() &&
        (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) == 0;
    if (printable && editable) {
        beginEdit(item, column, &text);
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

void CTreeListCtrl::handleNavigationKey(QKeyEvent* event) {
    FocusChange focus;
    {
        const int rows = data_.itemCount();
        const bool cellFocus = (extendedStyle_ & TLXS_CELLFOCUS) != 0;
        const bool control = (event->modifiers() & Qt::ControlModifier) != 0;
        const int page = std::max(1, viewport()->height() / rowHeight() - 1);
        int row = data_.rowIndex(focusItem_);
        int column = focusColumn_;
        switch (event->key()) {
            case Qt::Key_Up:
                row = row < 0 ? 0 : row - 1;
                break;
            case Qt::Key_Down:
                row = row < 0 ? 0 : row + 1;
                break;
            case Qt::Key_PageUp:
                row -= page;
                break;
            case Qt::Key_PageDown:
                row = row < 0 ? page : row + page;
                break;
            case Qt::Key_Home:
            case Qt::Key_End: {
                const bool home = event->key() == Qt::Key_Home;
                if (control && (extendedStyle_ & TLXS_CTRLHOMEEND) == 0) {
                    QScrollBar* bar = verticalScrollBar();
                    bar->setValue(home ? bar->minimum() : bar->maximum());
                    return;
                }
                if (control || !cellFocus) {
                    row = home ? 0 : rows - 1;
                } else {
                    column = home ? nextVisibleColumn(-1, 1)
                                  : nextVisibleColumn(static_cast<int>(columnWidth_.size()), -1);
                }
                break;
            }
            case Qt::Key_Left:
            case Qt::Key_Right: {
                const int step = event->key() == Qt::Key_Left ? -1 : 1;
                if (!cellFocus) {
                    QScrollBar* bar = horizontalScrollBar();
                    bar->setValue(bar->value() + step * bar->singleStep());
                    return;
                }
                column = nextVisibleColumn(column, step);
                if (row < 0) {
                    row = 0;
                }
                break;
            }
            default:
                return;
        }
        if (rows == 0) {
            return;
        }
        row = std::clamp(row, 0, rows - 1);
        if (cellFocus && column >= 0 && column < static_cast<int>(columnWidth_.size()) &&
            columnWidth_[static_cast<size_t>(column)] == 0) {
            // A hidden column cannot hold a visible focus: take the next one that shows.
            column = nextVisibleColumn(column, 1);
        }
        focus = moveFocusTo(data_.itemAt(row), column);
        scrollCellIntoView(row, focusColumn_);
    }
    notifyFocus(focus);
}

void CTreeListCtrl::mousePressEvent(QMouseEvent* event) {
    // A click in the control takes the focus from an open editor, which ends the edit.
    endEdit(EditEnd::FocusLost);
    if (event->button() != Qt::LeftButton) {
        setFocus(Qt::MouseFocusReason);
        return;
    }
    int column = -1;
    const HTREEITEM item = HitTest(viewport()->mapTo(this, event->position().toPoint()), &column);
    FocusChange focus;
    if (item != 0) {
        focus = moveFocusTo(item, column >= 0 ? column : focusColumn_);
        scrollCellIntoView(data_.rowIndex(item), focusColumn_);
    }
    setFocus(Qt::MouseFocusReason);
    notifyFocus(focus);
}

void CTreeListCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    int column = -1;
    const HTREEITEM item = HitTest(viewport()->mapTo(this, event->position().toPoint()), &column);
    bool onDoubleClick = false;
    {
        onDoubleClick = isCellEditable(item, column) &&
                        (data_.column(column)->editorFlags & kEditorOnDoubleClick) != 0;
    }
    if (onDoubleClick) {
        beginEdit(item, column, nullptr);
    }
}

void CTreeListCtrl::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        emit contextMenuRequested(event->globalPosition().toPoint());
        return;
    }
    QAbstractScrollArea::mouseReleaseEvent(event);
}

void CTreeListCtrl::contextMenuEvent(QContextMenuEvent* event) {
    event->accept();
    if (event->reason() == QContextMenuEvent::Mouse) {
        return;  // answered on the release of the right button
    }
    // From the keyboard: at the focused cell, or in the middle of the rows.
    QRect cell;
    {
        const int row = data_.rowIndex(focusItem_);
        if (row >= 0) {
            cell = cellRectInViewport(row, focusColumn_);
        }
    }
    const QPoint local = cell.isValid() && viewport()->rect().intersects(cell)
                             ? cell.center()
                             : viewport()->rect().center();
    emit contextMenuRequested(viewport()->mapToGlobal(local));
}

// Only the focused row is drawn differently with and without the focus.
void CTreeListCtrl::focusInEvent(QFocusEvent* event) {
    updateRow(focusItem_);
    QAbstractScrollArea::focusInEvent(event);
}

void CTreeListCtrl::focusOutEvent(QFocusEvent* event) {
    updateRow(focusItem_);
    QAbstractScrollArea::focusOutEvent(event);
}

}  // namespace lumetra
