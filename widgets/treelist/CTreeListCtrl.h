// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// CTreeListCtrl: a list of items in rows with their texts in columns under a header, with grid
// lines, alternating row colours, a focused cell, per-cell backgrounds and in-place editing of
// single cells through an edit box or an editable drop-down box.
//
// The member functions carry the operations of the tree-list message interface. Items live
// under TVI_ROOT as a flat list. Coordinates are those of the control widget itself (the header
// included), screen coordinates where stated. The control id is the dynamic property
// "controlId" (an int); Create() also sets the objectName to the id in decimal when it is empty,
// so that findChild<QWidget*>("13425") finds the control.
//
// The control lives on the GUI thread. It notifies the parent only once its own state is
// complete, so that the parent may call back into the control (and even delete the edited item)
// while it handles a notification.

#include <QAbstractScrollArea>
#include <QPointer>
#include <QRect>
#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

#include "widgets/treelist/TreeListData.h"

class QHeaderView;
class QStandardItemModel;

namespace lumetra {

class CTreeListCtrl : public QAbstractScrollArea {
    Q_OBJECT

  public:
    // Answers the end-of-edit notification: 0 stores the editor's text, anything else not.
    using EndLabelEditHandler = std::function<int(const TreeListEndEdit&)>;

    explicit CTreeListCtrl(QWidget* parent = nullptr);
    ~CTreeListCtrl() override;

    // Places the control in `parent` at `rect` (parent coordinates) with the window styles
    // `style` (WS_TABSTOP, WS_VISIBLE, TVS_EDITLABELS, TVS_FULLROWSELECT) and `exStyle`
    // (WS_EX_CLIENTEDGE) and gives it the id `id`. False without a parent.
    bool Create(unsigned exStyle, unsigned style, const QRect& rect, QWidget* parent, int id);
    // As Create(), over the geometry of `placeholder`, a child of `parent`, and visible. The
    // placeholder is left as it is. False if the placeholder is missing or not in `parent`.
    bool CreateOnPlaceholder(unsigned exStyle, unsigned style, QWidget* placeholder,
                             QWidget* parent, int id);
    int GetDlgCtrlID() const;

    // Changes the extended style bits in `mask` (0: all bits) to `style`; returns the new word.
    unsigned SetExtendedStyle(unsigned mask, unsigned style);
    unsigned GetExtendedStyle() const;

    // Columns. `format` TLCFMT_* (negative: left); `width` >= 0 a fixed width in pixels, -w a
    // weight w (clamped to 1..255); `limit` the smallest width of a weighted column (16 when
    // kNoColumnLimit). Returns the column's index, -1 when 32 columns exist already.
    int InsertColumn(int index, const QString& text, int format = TLCFMT_LEFT, int width = 100,
                     int limit = kNoColumnLimit);
    // collapse: collapses the column to `width` pixels, remembering its former width or weight.
    // Otherwise sets a fixed width of `width` pixels. False for an unknown column.
    bool SetColumn(int index, bool collapse, int width);
    // Restores the setting a collapsed column had before; false if it is not collapsed.
    bool ExpandColumn(int index);
    int GetColumnCount() const;
    // The column's current width in pixels on screen; -1 for an unknown column.
    int GetColumnWidth(int index) const;

    // Editor of a column: `kind` a TreeListEditorKind, `flags` the kEditor* bits. `list` is a
    // null-ended array of UTF-8 texts that the control keeps (not copies): it must outlive the
    // control. `maxEntries` 0 means 1024. False for an unknown column.
    bool SetCellEditor(int column, int kind, int flags, const char* const* list = nullptr,
                       int maxEntries = 0);
    // As above with one UTF-8 text whose entries are separated by `separator`.
    bool SetCellEditor(int column, int kind, int flags, const char* separatedList, char separator,
                       int maxEntries = 0);

    // Inserts an item with the text of column 0 under `parent` (only TVI_ROOT) at TVI_FIRST,
    // TVI_LAST or after the sibling `insertAfter`. Returns the new handle, 0 on failure.
    HTREEITEM InsertItem(const QString& text, HTREEITEM parent = TVI_ROOT,
                         HTREEITEM insertAfter = TVI_LAST);
    // Deletes an item with its cells; TVI_ROOT deletes every item. False (and nothing deleted)
    // for 0 or an unknown handle.
    bool DeleteItem(HTREEITEM item);
    int GetCount() const;

    // The control keeps its own copy of the text. False for an unknown item or column.
    bool SetItemText(HTREEITEM item, int column, const QString& text);
    // The cell's text; empty (not null) for a cell that never received one, null for an unknown
    // item or column.
    QString GetItemText(HTREEITEM item, int column = 0) const;

    // TVGN_NEXT, TVGN_PREVIOUS, TLGN_NEXTINLIST (from TVI_ROOT or 0: the first item),
    // TVGN_ROOT/TVGN_CHILD of TVI_ROOT (the first item), TVGN_CARET (the focused item) and
    // TLGN_FOCUSCOLUMN (the focused column, `item` ignored). 0 when there is none.
    HTREEITEM GetNextItem(HTREEITEM item, unsigned relation) const;

    // Moves the focused cell: `item` kKeepFocusItem keeps the item, 0 removes the focus;
    // `column` -1 keeps the column (without TLXS_CELLFOCUS the column is 0). False for an
    // unknown item or column.
    bool SetFocusCell(HTREEITEM item, int column);
    HTREEITEM GetFocusItem() const;
    int GetFocusColumn() const;

    // 0-based display row; -1 for an unknown or deleted item.
    int GetRowIndex(HTREEITEM item) const;

    // Change tracking (see TreeListData): a count that grows with every inserted or deleted
    // item and every text set to a different text; the items changed after the count stood at
    // `since`, the latest first; the count of the latest change that moved or removed items.
    std::uint64_t GetChangeCount() const;
    std::vector<HTREEITEM> GetItemsChangedSince(std::uint64_t since) const;
    std::uint64_t GetLayoutChangeCount() const;

    // Background of a cell (`column` above 254: every column of the item) as 0x00BBGGRR, or
    // kTreeListDefaultColor for the control's own (alternating) colour. Returns the former
    // colour of the cell (of column 0 for every column), -1 when it had none or on failure.
    TreeListColor SetCellBkColor(HTREEITEM item, int column, TreeListColor color);
    TreeListColor GetCellBkColor(HTREEITEM item, int column) const;

    // The item under `point` (control coordinates), 0 if none; `column` receives the column
    // under the point, -1 if none.
    HTREEITEM HitTest(const QPoint& point, int* column = nullptr) const;
    // The rectangle of a cell in control coordinates; empty for an unknown cell.
    QRect GetCellRect(HTREEITEM item, int column) const;

    // In-place editing. EditLabel() starts an edit of the cell as Return would; false when the
    // cell cannot be edited. An open edit ends normally with EndEditLabelNow(false), or is
    // cancelled with EndEditLabelNow(true).
    bool EditLabel(HTREEITEM item, int column);
    void EndEditLabelNow(bool cancel);
    // The open editor (a QLineEdit or a QComboBox), null when no edit is open.
    QWidget* GetEditControl() const;

    void setEndLabelEditHandler(EndLabelEditHandler handler);

  signals:
    // A right-button release over the control (or the context-menu key): the cursor position,
    // or the focused cell's centre, in screen coordinates.
    void contextMenuRequested(const QPoint& globalPos);
    // The focused cell moved (item 0: no focus).
    void focusCellChanged(lumetra::HTREEITEM item, int column);
    // Delete was pressed on the control (not in an editor) while `item` held the focus.
    void deleteKeyPressed(lumetra::HTREEITEM item);

  protected:
    bool viewportEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    QSize sizeHint() const override;

  private:
    // Discard closes the editor without a report (the item or the window is going away).
    enum class EditEnd { Return, Tab, FocusLost, Cancel, Discard };
    struct FocusChange {
        bool changed = false;
        HTREEITEM item = 0;
        int column = 0;
    };

    static Qt::Alignment alignmentOf(int format);  // of a TLCFMT_* column format

    int rowHeight() const;
    void layoutColumns();
    void updateScrollBars();
    void syncHeader();
    int columnAt(int viewportX) const;
    QRect cellRectInViewport(int row, int column) const;
    bool isCellEditable(HTREEITEM item, int column) const;
    FocusChange moveFocusTo(HTREEITEM item, int column);
    void scrollCellIntoView(int row, int column);
    int nextVisibleColumn(int column, int step) const;
    void placeEditor();
    void paintRows(QPainter& painter, const QRect& area);
    // Repaints the row of `item` only (all rows while the display order is being rebuilt):
    // with thousands of rows a cell's new text must not redraw every row in sight.
    void updateRow(HTREEITEM item);

    // These notify the parent once their own changes are done.
    void notifyFocus(const FocusChange& change);
    TreeListColor setCellColor(HTREEITEM item, int column, TreeListColor color,
                               TreeListColor TreeListCell::*which);
    bool beginEdit(HTREEITEM item, int column, const QString* firstInput);
    void endEdit(EditEnd how);
    // Tab or Shift+Tab in an editor: ends the edit as Return does and edits the next (previous)
    // editable cell, or moves the focus on to the next (previous) control from the last (first).
    void tabFromEditor(bool backward);
    void handleNavigationKey(QKeyEvent* event);

    TreeListData data_;
    unsigned style_ = 0;
    unsigned extendedStyle_ = 0;
    HTREEITEM focusItem_ = 0;
    int focusColumn_ = 0;
    std::vector<int> columnLeft_;   // x of each column in content coordinates
    std::vector<int> columnWidth_;  // on-screen width of each column
    int contentWidth_ = 0;

    QHeaderView* header_ = nullptr;
    QStandardItemModel* headerModel_ = nullptr;
    // The header is measured and placed when the control is shown, not after each column
    // added while it is hidden: measuring asks every section for its size.
    bool headerSyncPending_ = false;
    int headerHeight_ = -1;  // measured height of the header, -1 until measured again

    QPointer<QWidget> editor_;
    HTREEITEM editItem_ = 0;
    int editColumn_ = 0;
    bool editChanged_ = false;

    EndLabelEditHandler endLabelEditHandler_;
};

}  // namespace lumetra
