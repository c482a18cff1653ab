// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/treelist/CTreeListCtrl.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QStandardItemModel>

#include <algorithm>

namespace lumetra {

CTreeListCtrl::CTreeListCtrl(QWidget* parent) : QAbstractScrollArea(parent) {
    headerModel_ = new QStandardItemModel(0, 0, this);
    header_ = new QHeaderView(Qt::Horizontal, this);
    header_->setModel(headerModel_);
    header_->setFocusPolicy(Qt::NoFocus);
    header_->setSectionsClickable(false);
    header_->setHighlightSections(false);
    header_->setStretchLastSection(false);
    header_->setMinimumSectionSize(0);
    header_->setSectionResizeMode(QHeaderView::Fixed);
    header_->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header_->setTextElideMode(Qt::ElideRight);
    setViewportMargins(0, header_->sizeHint().height(), 0, 0);

    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setFrameStyle(QFrame::NoFrame);
    setFocusPolicy(Qt::ClickFocus);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
}

CTreeListCtrl::~CTreeListCtrl() {
    // An editor still open belongs to the viewport and goes with it; it must not report back.
    if (editor_) {
        editor_->removeEventFilter(this);
    }
}

bool CTreeListCtrl::Create(unsigned exStyle, unsigned style, const QRect& rect, QWidget* parent,
                           int id) {
    if (parent == nullptr) {
        return false;
    }
    { style_ = style; }
    setParent(parent);
    setGeometry(rect);
    if ((exStyle & WS_EX_CLIENTEDGE) != 0) {
        setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    } else {
        setFrameStyle(QFrame::NoFrame);
    }
    setFocusPolicy((style & WS_TABSTOP) != 0 ? Qt::StrongFocus : Qt::ClickFocus);
    setProperty("controlId", id);
    if (objectName().isEmpty()) {
        setObjectName(QString::number(id));
    }
    setVisible((style & WS_VISIBLE) != 0);
    return true;
}

bool CTreeListCtrl::CreateOnPlaceholder(unsigned exStyle, unsigned style, QWidget* placeholder,
                                        QWidget* parent, int id) {
    if (placeholder == nullptr || parent == nullptr || !parent->isAncestorOf(placeholder)) {
        return false;
    }
    const QRect rect(placeholder->mapTo(parent, QPoint(0, 0)), placeholder->size());
    return Create(exStyle, style | WS_VISIBLE, rect, parent, id);
}

int CTreeListCtrl::GetDlgCtrlID() const {
    return property("controlId").toInt();
}

unsigned CTreeListCtrl::SetExtendedStyle(unsigned mask, unsigned style) {
    unsigned result = 0;
    {
        if (mask == 0) {
            mask = ~0u;
        }
        extendedStyle_ = (extendedStyle_ & ~mask) | (style & mask);
        if ((extendedStyle_ & TLXS_CELLFOCUS) == 0) {
            focusColumn_ = 0;
        }
        result = extendedStyle_;
    }
    viewport()->update();
    return result;
}

unsigned CTreeListCtrl::GetExtendedStyle() const {
    return extendedStyle_;
}

int CTreeListCtrl::InsertColumn(int index, const QString& text, int format, int width, int limit) {
    TreeListColumn column;
    column.text = text;
    column.format = format >= 0 ? format : TLCFMT_LEFT;
    if (width < 0) {
        column.weight = std::clamp(-width, 1, 255);
    } else {
        column.width = width;
    }
    if (limit != kNoColumnLimit) {
        column.limit = std::max(limit, 0);
    }
    const int inserted = data_.insertColumn(index, column);
    if (inserted < 0) {
        return -1;
    }
    if (editItem_ != 0 && editColumn_ >= inserted) {
        ++editColumn_;
    }
    if (focusColumn_ >= inserted && data_.columnCount() > 1 && focusItem_ != 0) {
        ++focusColumn_;
    }
    headerModel_->insertColumn(inserted);
    headerModel_->setHeaderData(inserted, Qt::Horizontal, text);
    headerModel_->setHeaderData(inserted, Qt::Horizontal, QVariant(alignmentOf(column.format)),
                                Qt::TextAlignmentRole);
    headerHeight_ = -1;
    layoutColumns();
    return inserted;
}

bool CTreeListCtrl::SetColumn(int index, bool collapse, int width) {
    TreeListColumn* column = data_.column(index);
    if (column == nullptr) {
        return false;
    }
    width = std::max(width, 0);
    if (collapse) {
        if (!column->collapsed) {
            column->savedWeight = column->weight;
            column->savedWidth = column->weight > 0 ? 100 : column->width;
            column->collapsed = true;
        }
    } else {
        column->collapsed = false;
    }
    column->weight = 0;
    column->width = width;
    layoutColumns();
    return true;
}

bool CTreeListCtrl::ExpandColumn(int index) {
    TreeListColumn* column = data_.column(index);
    if (column == nullptr || !column->collapsed) {
        return false;
    }
    column->collapsed = false;
    column->weight = column->savedWeight;
    column->width = column->savedWidth;
    layoutColumns();
    return true;
}

int CTreeListCtrl::GetColumnCount() const {
    return data_.columnCount();
}

int CTreeListCtrl::GetColumnWidth(int index) const {
    if (index < 0 || index >= static_cast<int>(columnWidth_.size())) {
        return -1;
    }
    return columnWidth_[static_cast<size_t>(index)];
}

bool CTreeListCtrl::SetCellEditor(int column, int kind, int flags, const char* const* list,
                                  int maxEntries) {
    TreeListColumn* target = data_.column(column);
    if (target == nullptr) {
        return false;
    }
    target->editorKind = kind;
    target->editorFlags = flags | (list != nullptr ? kEditorPointerList : 0);
    target->editorList = list;
    target->editorText = nullptr;
    target->editorMaxEntries = maxEntries > 0 ? maxEntries : kMaxListEntries;
    return true;
}

bool CTreeListCtrl::SetCellEditor(int column, int kind, int flags, const char* separatedList,
                                  char separator, int maxEntries) {
    TreeListColumn* target = data_.column(column);
    if (target == nullptr) {
        return false;
    }
    target->editorKind = kind;
    target->editorFlags = flags & ~kEditorPointerList;
    target->editorList = nullptr;
    target->editorText = separatedList;
    target->editorSeparator = separator;
    target->editorMaxEntries = maxEntries > 0 ? maxEntries : kMaxListEntries;
    return true;
}

HTREEITEM CTreeListCtrl::InsertItem(const QString& text, HTREEITEM parent, HTREEITEM insertAfter) {
    HTREEITEM item = 0;
    {
        // The control keeps a flat list: every item is a child of the root.
        if (parent != TVI_ROOT && parent != 0) {
            return 0;
        }
        item = data_.insertItem(insertAfter);
        if (item == 0) {
            return 0;
        }
        if (!text.isEmpty()) {
            data_.mutableCell(item, 0)->text = text;
        }
        updateScrollBars();
    }
    viewport()->update();
    return item;
}

bool CTreeListCtrl::DeleteItem(HTREEITEM item) {
    FocusChange focus;
    bool editedItemGone = false;
    {
        if (item == TVI_ROOT) {
            data_.deleteAll();
            focus = moveFocusTo(0, focusColumn_);
        } else {
            if (!data_.contains(item)) {
                return false;
            }
            if (focusItem_ == item) {
                // The neighbours come from the item's links: asking for display rows would
                // rebuild the order of every item after each deletion.
                HTREEITEM successor = data_.next(item);
                if (successor == 0) {
                    successor = data_.previous(item);
                }
                focus = moveFocusTo(successor, focusColumn_);
            }
            data_.deleteItem(item);
        }
        editedItemGone = editor_ && !data_.contains(editItem_);
        updateScrollBars();
    }
    // An editor open on a deleted item closes without a report: there is no cell left.
    if (editedItemGone) {
        endEdit(EditEnd::Discard);
    }
    viewport()->update();
    notifyFocus(focus);
    return true;
}

int CTreeListCtrl::GetCount() const {
    return data_.itemCount();
}

bool CTreeListCtrl::SetItemText(HTREEITEM item, int column, const QString& text) {
    {
        TreeListCell* cell = data_.mutableCell(item, column);
        if (cell == nullptr) {
            return false;
        }
        const QString stored = text.isNull() ? QStringLiteral("") : text;
        if (cell->text == stored) {
            return true;
        }
        cell->text = stored;
        data_.noteTextChanged(item);
    }
    updateRow(item);
    return true;
}

QString CTreeListCtrl::GetItemText(HTREEITEM item, int column) const {
    const TreeListCell* cell = data_.cell(item, column);
    if (cell == nullptr) {
        return QString();
    }
    return cell->text.isNull() ? QStringLiteral("") : cell->text;
}

HTREEITEM CTreeListCtrl::GetNextItem(HTREEITEM item, unsigned relation) const {
    switch (relation) {
        case TVGN_ROOT:
            return data_.itemAt(0);
        case TVGN_CHILD:
            return item == TVI_ROOT || item == 0 ? data_.itemAt(0) : 0;
        case TVGN_NEXT:
            return data_.next(item);
        case TVGN_PREVIOUS:
            return data_.previous(item);
        case TVGN_CARET:
            return focusItem_;
        case TLGN_FOCUSCOLUMN:
            return focusItem_ != 0 ? static_cast<HTREEITEM>(focusColumn_) : 0;
        case TLGN_NEXTINLIST:
            return item == TVI_ROOT || item == 0 ? data_.itemAt(0) : data_.next(item);
        default:
            return 0;
    }
}

bool CTreeListCtrl::SetFocusCell(HTREEITEM item, int column) {
    FocusChange focus;
    {
        if (item == kKeepFocusItem) {
            item = focusItem_;
        }
        if (column < 0) {
            column = focusColumn_;
        }
        if (item != 0 && !data_.contains(item)) {
            return false;
        }
        if (column >= data_.columnCount() && data_.columnCount() > 0) {
            return false;
        }
        focus = moveFocusTo(item, column);
        if (item != 0) {
            scrollCellIntoView(data_.rowIndex(item), focusColumn_);
        }
    }
    notifyFocus(focus);
    return true;
}

HTREEITEM CTreeListCtrl::GetFocusItem() const {
    return focusItem_;
}

int CTreeListCtrl::GetFocusColumn() const {
    return focusColumn_;
}

int CTreeListCtrl::GetRowIndex(HTREEITEM item) const {
    return data_.rowIndex(item);
}

std::uint64_t CTreeListCtrl::GetChangeCount() const {
    return data_.changeCount();
}

std::vector<HTREEITEM> CTreeListCtrl::GetItemsChangedSince(std::uint64_t since) const {
    return data_.itemsChangedSince(since);
}

std::uint64_t CTreeListCtrl::GetLayoutChangeCount() const {
    return data_.layoutChangeCount();
}

TreeListColor CTreeListCtrl::SetCellBkColor(HTREEITEM item, int column, TreeListColor color) {
    return setCellColor(item, column, color, &TreeListCell::background);
}

TreeListColor CTreeListCtrl::GetCellBkColor(HTREEITEM item, int column) const {
    const TreeListCell* cell = data_.cell(item, column);
    return cell != nullptr ? cell->background : kTreeListDefaultColor;
}

TreeListColor CTreeListCtrl::setCellColor(HTREEITEM item, int column, TreeListColor color,
                                          TreeListColor TreeListCell::*which) {
    TreeListColor former = kTreeListDefaultColor;
    {
        if (color < 0) {
            color = kTreeListDefaultColor;
        }
        const bool everyColumn = column > 254;
        const int first = everyColumn ? 0 : column;
        const int last = everyColumn ? data_.columnCount() - 1 : column;
        for (int c = first; c <= last; ++c) {
            TreeListCell* cell = data_.mutableCell(item, c);
            if (cell == nullptr) {
                return kTreeListDefaultColor;
            }
            if (c == first) {
                former = cell->*which;
            }
            cell->*which = color;
        }
    }
    updateRow(item);
    return former;
}

HTREEITEM CTreeListCtrl::HitTest(const QPoint& point, int* column) const {
    const QPoint inViewport = viewport()->mapFrom(this, point);
    if (column != nullptr) {
        *column = -1;
    }
    if (!viewport()->rect().contains(inViewport)) {
        return 0;
    }
    const int hitColumn = columnAt(inViewport.x());
    if (column != nullptr) {
        *column = hitColumn;
    }
    const int y = inViewport.y() + verticalScrollBar()->value();
    return data_.itemAt(y / rowHeight());
}

QRect CTreeListCtrl::GetCellRect(HTREEITEM item, int column) const {
    const int row = data_.rowIndex(item);
    if (row < 0 || column < 0 || column >= data_.columnCount()) {
        return QRect();
    }
    return cellRectInViewport(row, column).translated(viewport()->mapTo(this, QPoint(0, 0)));
}

QWidget* CTreeListCtrl::GetEditControl() const {
    return editor_;
}

void CTreeListCtrl::setEndLabelEditHandler(EndLabelEditHandler handler) {
    endLabelEditHandler_ = std::move(handler);
}

QSize CTreeListCtrl::sizeHint() const {
    return QSize(400, 200);
}

Qt::Alignment CTreeListCtrl::alignmentOf(int format) {
    switch (format) {
        case TLCFMT_RIGHT:
            return Qt::AlignRight | Qt::AlignVCenter;
        case TLCFMT_CENTER:
            return Qt::AlignHCenter | Qt::AlignVCenter;
        default:
            return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

// Focus ---------------------------------------------------------------------------------------

CTreeListCtrl::FocusChange CTreeListCtrl::moveFocusTo(HTREEITEM item, int column) {
    if ((extendedStyle_ & TLXS_CELLFOCUS) == 0) {
        column = 0;
    }
    FocusChange change;
    change.changed = item != focusItem_ || column != focusColumn_;
    if (change.changed) {
        updateRow(focusItem_);
        updateRow(item);
    }
    focusItem_ = item;
    focusColumn_ = column;
    change.item = item;
    change.column = column;
    return change;
}

void CTreeListCtrl::notifyFocus(const FocusChange& change) {
    if (change.changed) {
        emit focusCellChanged(change.item, change.column);
    }
}

}  // namespace lumetra
