// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>

class QDialog;
class QScrollArea;

namespace lumetra {

// Whether a window whose client area is `client`, inside a frame of `frame`, fits into the
// available area of a screen.
bool fitsScreen(QSize client, QMargins frame, QSize available);

// The frame the window system puts around a dialog: read from the window once it has been
// shown, estimated from the style's title bar and frame before.
QMargins windowFrameOf(const QDialog& dialog);

// When the dialog's fixed client size does not fit the available area of its screen, its
// controls move, unchanged, into a scroll area that fills a resizable window fitting that
// area; a dialog that fits stays as it is. Returns the scroll area, or null.
QScrollArea* fitDialogToScreen(QDialog& dialog);

}  // namespace lumetra
