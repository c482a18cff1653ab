// SPDX-License-Identifier: GPL-3.0-or-later
// In-place editing of one cell: an edit box or an editable drop-down box over the cell, ended
// by Return, cancelled by Escape, ended by the loss of the focus; the parent decides by its
// answer to the end-of-edit notification whether the text is stored.
#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyle>

#include "widgets/treelist/CTreeListCtrl.h"

namespace lumetra {

namespace {

// The list texts of a column, in order and at most `column.editorMaxEntries` of them.
QStringList listTextsOf(const TreeListColumn& column) {
    QStringList texts;
    if (column.editorList != nullptr) {
        for (const char* const* entry = column.editorList;
             *entry != nullptr && texts.size() < column.editorMaxEntries; ++entry) {
            texts.append(QString::fromUtf8(*entry));
        }
    } else if (column.editorText != nullptr) {
        const QString all = QString::fromUtf8(column.editorText);
        for (const QString& entry : all.split(QChar::fromLatin1(column.editorSeparator))) {
            if (texts.size() >= column.editorMaxEntries) {
                break;
            }
            if (!entry.isEmpty()) {
                texts.append(entry);
            }
        }
    }
    return texts;
}

QString textOf(const QWidget* editor) {
    if (const auto* combo = qobject_cast<const QComboBox*>(editor)) {
        return combo->currentText();
    }
    if (const auto* edit = qobject_cast<const QLineEdit*>(editor)) {
        return edit->text();
    }
    return QString();
}

}  // namespace

bool CTreeListCtrl::isCellEditable(HTREEITEM item, int column) const {
    if ((style_ & TVS_EDITLABELS) == 0 || !data_.contains(item)) {
        return false;
    }
    const TreeListColumn* settings = data_.column(column);
    return settings != nullptr &&
           (settings->editorKind == EditorEditBox || settings->editorKind == EditorDropDown);
}

bool CTreeListCtrl::EditLabel(HTREEITEM item, int column) {
    return beginEdit(item, column, nullptr);
}

void CTreeListCtrl::EndEditLabelNow(bool cancel) {
    endEdit(cancel ? EditEnd::Cancel : EditEnd::FocusLost);
}

bool CTreeListCtrl::beginEdit(HTREEITEM item, int column, const QString* firstInput) {
    // At most one editor: a new edit first ends the open one, as moving the focus would.
    if (GetEditControl() != nullptr) {
        endEdit(EditEnd::FocusLost);
    }
    QWidget* editor = nullptr;
    {
        if (editor_ || !isCellEditable(item, column)) {
            return false;
        }
        const TreeListColumn& settings = *data_.column(column);
        const QString cellText = data_.cell(item, column)->text;
        const QString startText = firstInput != nullptr ? *firstInput : cellText;
        QLineEdit* lineEdit = nullptr;
        if (settings.editorKind == EditorDropDown) {
            auto* combo = new QComboBox(viewport());
            combo->setEditable(true);
            combo->setInsertPolicy(QComboBox::NoInsert);
            combo->addItems(listTextsOf(settings));
            combo->setCurrentIndex(combo->findText(cellText, Qt::MatchExactly));
            combo->setEditText(startText);
            // The list may be wider than the cell, so that the preset texts show in full.
            QAbstractItemView* view = combo->view();
            view->setMinimumWidth(view->sizeHintForColumn(0) + 2 * view->frameWidth() +
                                  view->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
            // Picking an entry from the list is a change even when it equals the text.
            connect(combo, &QComboBox::activated, this, [this] { editChanged_ = true; });
            lineEdit = combo->lineEdit();
            editor = combo;
        } else {
            lineEdit = new QLineEdit(viewport());
            lineEdit->setText(startText);
            editor = lineEdit;
        }
        connect(lineEdit, &QLineEdit::textEdited, this, [this] { editChanged_ = true; });
        if (firstInput == nullptr) {
            lineEdit->selectAll();
        } else {
            lineEdit->deselect();
            lineEdit->end(false);
        }
        editor->setFont(font());
        editor_ = editor;
        editItem_ = item;
        editColumn_ = column;
        editChanged_ = firstInput != nullptr;
        scrollCellIntoView(data_.rowIndex(item), column);
        placeEditor();
    }
    editor->installEventFilter(this);
    editor->show();
    editor->setFocus(Qt::OtherFocusReason);
    updateRow(item);
    return true;
}

void CTreeListCtrl::placeEditor() {
    if (!editor_) {
        return;
    }
    const QRect cell = cellRectInViewport(data_.rowIndex(editItem_), editColumn_);
    // The editor keeps the height its frame needs, centred on the row, and may overlap the
    // neighbouring rows a little rather than clip its text.
    const int height = std::max(cell.height(), editor_->minimumSizeHint().height());
    editor_->setGeometry(cell.left(), cell.center().y() - height / 2, cell.width(), height);
}

void CTreeListCtrl::endEdit(EditEnd how) {
    QPointer<QWidget> editor;
    HTREEITEM item = 0;
    int column = 0;
    unsigned mask = 0;
    EndLabelEditHandler handler;
    {
        if (!editor_) {
            return;
        }
        // Taken out first: hiding the editor moves the focus, which must not end it twice.
        editor = editor_;
        editor_ = nullptr;
        item = editItem_;
        column = editColumn_;
        editItem_ = 0;
        if (how == EditEnd::Return || how == EditEnd::Tab || how == EditEnd::FocusLost) {
            mask |= TVIF_TEXT;
            if (editChanged_) {
                mask |= TLIF_TEXTCHANGED;
            }
            if (how == EditEnd::Return) {
                mask |= TLIF_RETURNKEY;
            }
        }
        handler = endLabelEditHandler_;
    }
    const QString text = textOf(editor);
    editor->removeEventFilter(this);
    if (how != EditEnd::FocusLost && editor->hasFocus()) {
        setFocus(Qt::OtherFocusReason);
    }
    editor->hide();
    editor->deleteLater();
    updateRow(item);
    if (how == EditEnd::Discard) {
        return;
    }

    const QPointer<CTreeListCtrl> self(this);
    TreeListEndEdit notification;
    notification.item = item;
    notification.column = column;
    notification.text = how == EditEnd::Cancel ? nullptr : &text;
    notification.mask = mask;
    const int answer = handler ? handler(notification) : 0;
    if (!self || answer != 0 || how == EditEnd::Cancel) {
        return;
    }
    // The parent may have deleted the item (or its column) while it handled the notification.
    SetItemText(item, column, text);
}

void CTreeListCtrl::tabFromEditor(bool backward) {
    HTREEITEM item = 0;
    int column = 0;
    int row = -1;
    item = editItem_;
    column = editColumn_;
    row = data_.rowIndex(item);
    endEdit(EditEnd::Tab);

    // The parent may have deleted the edited row; the row that took its place comes next.
    HTREEITEM next = 0;
    int nextColumn = 0;
    FocusChange focus;
    {
        const int columns = data_.columnCount();
        const int step = backward ? -1 : 1;
        int c = column;
        if (data_.contains(item)) {
            row = data_.rowIndex(item);
        } else if (backward) {
            --row;
            c = columns;
        } else {
            c = -1;
        }
        for (int r = row; r >= 0 && r < data_.itemCount();) {
            c += step;
            if (c < 0 || c >= columns) {
                r += step;
                c = backward ? columns : -1;
                continue;
            }
            const HTREEITEM candidate = data_.itemAt(r);
            if (isCellEditable(candidate, c) && columnWidth_[static_cast<size_t>(c)] > 0) {
                next = candidate;
                nextColumn = c;
                break;
            }
        }
        if (next != 0) {
            focus = moveFocusTo(next, nextColumn);
            scrollCellIntoView(data_.rowIndex(next), nextColumn);
        }
    }
    if (next == 0) {
        focusNextPrevChild(!backward);
        return;
    }
    notifyFocus(focus);
    beginEdit(next, nextColumn, nullptr);
}

bool CTreeListCtrl::eventFilter(QObject* watched, QEvent* event) {
    const bool isEditor = watched == GetEditControl();
    if (!isEditor) {
        return QAbstractScrollArea::eventFilter(watched, event);
    }
    switch (event->type()) {
        case QEvent::ShortcutOverride:
        case QEvent::KeyPress: {
            auto* key = static_cast<QKeyEvent*>(event);
            const bool isTab = (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
                               (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) == 0;
            if (isTab) {
                if (event->type() == QEvent::KeyPress) {
                    tabFromEditor(key->key() == Qt::Key_Backtab ||
                                  (key->modifiers() & Qt::ShiftModifier) != 0);
                }
                return true;  // Qt would move the focus out of the table
            }
            const bool isReturn = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
            const bool isEscape = key->key() == Qt::Key_Escape;
            if (!isReturn && !isEscape) {
                break;
            }
            if (event->type() == QEvent::ShortcutOverride) {
                event->accept();
                return true;
            }
            endEdit(isReturn ? EditEnd::Return : EditEnd::Cancel);
            return true;
        }
        case QEvent::FocusOut: {
            // Opening the drop-down list takes the focus for a moment; that is no end.
            const auto* focus = static_cast<QFocusEvent*>(event);
            const auto* combo = qobject_cast<QComboBox*>(watched);
            if (focus->reason() == Qt::PopupFocusReason ||
                (combo != nullptr && combo->view()->isVisible())) {
                break;
            }
            if (focus->reason() == Qt::ActiveWindowFocusReason) {
                // The window lost the activation, perhaps because it is being closed and
                // destroyed with its owner, which must not be asked anything then. The edit
                // ends once the current event is done, unless the control is gone by then or
                // the editor has the focus again.
                const QPointer<QWidget> editor = static_cast<QWidget*>(watched);
                QMetaObject::invokeMethod(
                    this,
                    [this, editor] {
                        if (editor && editor == GetEditControl() && !editor->hasFocus()) {
                            endEdit(EditEnd::FocusLost);
                        }
                    },
                    Qt::QueuedConnection);
                break;
            }
            endEdit(EditEnd::FocusLost);
            break;
        }
        default:
            break;
    }
    return QAbstractScrollArea::eventFilter(watched, event);
}

}  // namespace lumetra
