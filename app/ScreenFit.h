// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QDialog;
class QScrollArea;

namespace lumetra {

// When the dialog's fixed client size does not fit the available area of its screen, its
// controls move, unchanged, into a scroll area that fills a resizable window fitting that
// area; a dialog that fits stays as it is. Returns the scroll area, or null.
QScrollArea* fitDialogToScreen(QDialog& dialog);

}  // namespace lumetra
