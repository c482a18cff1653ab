// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Flags, constants and the notification record of the tree-list control. The names follow the
// system tree view's naming (TVI_, TVGN_, TVS_) and the control's own prefixes (TLXS_, TLIF_,
// TLGN_), so that code written against the control reads like its message interface.
//
// Some of the window-style names are macros of the Windows headers. Where those macros exist
// they carry the same values, so the constants below are then simply not declared again.

#include <QtGlobal>

#include <cstdint>

class QString;

namespace lumetra {

// Handle of an item: never 0 for an existing item, valid until the item is deleted, never
// reused while the control lives.
using HTREEITEM = quintptr;

// A colour as 0x00BBGGRR (red in the low byte), or -1 for "the control's own colour".
using TreeListColor = std::int32_t;
inline constexpr TreeListColor kTreeListDefaultColor = -1;
constexpr TreeListColor treeListRgb(int r, int g, int b) {
    return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16);
}

#ifndef TVI_ROOT
// Special item handles: the root as parent; first and last as insertion positions.
inline constexpr HTREEITEM TVI_ROOT = static_cast<HTREEITEM>(-0x10000);
inline constexpr HTREEITEM TVI_FIRST = static_cast<HTREEITEM>(-0x0FFFF);
inline constexpr HTREEITEM TVI_LAST = static_cast<HTREEITEM>(-0x0FFFE);
#endif
// SetFocusCell(): keep the current item.
inline constexpr HTREEITEM kKeepFocusItem = static_cast<HTREEITEM>(-1);

#ifndef WS_TABSTOP
// Window styles (the `style` word of Create()).
inline constexpr unsigned WS_TABSTOP = 0x00010000;
inline constexpr unsigned WS_VISIBLE = 0x10000000;
// Extended window style (the `exStyle` word of Create()): a sunken frame around the control.
inline constexpr unsigned WS_EX_CLIENTEDGE = 0x00000200;
#endif
#ifndef TVS_EDITLABELS
inline constexpr unsigned TVS_EDITLABELS = 0x0008;  // cells may be edited in place
inline constexpr unsigned TVS_FULLROWSELECT = 0x1000;
#endif

// Extended style bits (SetExtendedStyle()).
inline constexpr unsigned TLXS_GRIDLINES = 0x00010000;
inline constexpr unsigned TLXS_ALTERNATEROWS = 0x00020000;
inline constexpr unsigned TLXS_CELLFOCUS = 0x00040000;
inline constexpr unsigned TLXS_CTRLHOMEEND = 0x10000000;

#ifndef TVGN_NEXT
// Relations of GetNextItem().
inline constexpr unsigned TVGN_ROOT = 0x0000;
inline constexpr unsigned TVGN_NEXT = 0x0001;
inline constexpr unsigned TVGN_PREVIOUS = 0x0002;
inline constexpr unsigned TVGN_CHILD = 0x0004;
inline constexpr unsigned TVGN_CARET = 0x0009;
inline constexpr unsigned TVIF_TEXT = 0x0001;
#endif
inline constexpr unsigned TLGN_FOCUSCOLUMN = 0x0010;  // the column of the focused cell
inline constexpr unsigned TLGN_NEXTINLIST = 0x0013;   // next item in display order

// Marks of the end-of-edit notification.
inline constexpr unsigned TLIF_TEXTCHANGED = 0x20000000;
inline constexpr unsigned TLIF_RETURNKEY = 0x10000000;

// Column alignment (InsertColumn() `format`).
inline constexpr int TLCFMT_LEFT = 0;
inline constexpr int TLCFMT_RIGHT = 1;
inline constexpr int TLCFMT_CENTER = 2;

// InsertColumn(): no limit given.
inline constexpr int kNoColumnLimit = 0x8000;

// Editor kinds of SetCellEditor().
enum TreeListEditorKind : int {
    EditorNone = 0,
    EditorEditBox = 1,   // an edit box over the cell
    EditorDropDown = 2,  // an editable drop-down box filled with the column's list texts
};
// Editor flags of SetCellEditor().
inline constexpr int kEditorOnDoubleClick = 0x02;  // a double-click on the cell starts editing
inline constexpr int kEditorOnF2 = 0x04;           // F2 on the focused cell starts editing
inline constexpr int kEditorPointerList = 0x08;    // the list is a null-ended array of texts
inline constexpr int kMaxListEntries = 1024;       // entries shown when no maximum is given

inline constexpr int kMaxColumns = 32;

// What the end-of-edit notification carries. `text` points to the editor's text, or is null
// when the edit was cancelled; it is valid only during the call. `mask` holds TVIF_TEXT
// unless cancelled, TLIF_TEXTCHANGED when the text was changed while editing, and
// TLIF_RETURNKEY when the edit was ended with Return.
struct TreeListEndEdit {
    HTREEITEM item = 0;
    int column = 0;
    const QString* text = nullptr;
    unsigned mask = 0;
};

}  // namespace lumetra
