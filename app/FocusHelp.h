// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/HelpPictures.h"

class QLabel;
class QWidget;

namespace lumetra {

class CTreeListCtrl;

// What the focus help shows for a focused control: the key that identifies the focus (a
// control id, or for the module-field table its focused column) and the help index.
struct FocusHelpTarget {
    int key = 0;
    int helpIndex = kNoHelpIndex;
};

// The key of a table column. Negative, so that it never equals a control id (the cancel button
// has id 2, which is also a column number).
constexpr int tableFocusKey(int column) {
    return -column;
}

// The help of a focused widget. The table itself and its in-place cell editor show the help of
// the focused column (an editor edits the focused cell); a field or its "Vorgabe" box shows its
// quantity's help; anything else (the buttons) the neutral picture without text.
FocusHelpTarget focusHelpTarget(const QWidget* focus, const CTreeListCtrl* table);

// The help picture (control 1107) and the description (control 1106) that follow the keyboard
// focus at every refresh tick.
class FocusHelp {
  public:
    FocusHelp(QLabel* description, QLabel* picture, HelpPictures pictures);

    // Shows the help of the focused widget when the focus key changed since the last call. The
    // picture is swapped only when the help index changes; the text whenever the key changes.
    void update(const QWidget* focus, const CTreeListCtrl* table);

    int focusKey() const { return focusKey_; }
    int shownHelpIndex() const { return shownHelpIndex_; }
    const HelpPictures& pictures() const { return pictures_; }

  private:
    QLabel* description_;
    QLabel* picture_;
    HelpPictures pictures_;
    int focusKey_ = 0;
    int shownHelpIndex_ = -1;
};

}  // namespace lumetra
