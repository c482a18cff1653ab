// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>

class QWidget;

namespace lumetra {

// Whether a window whose client area is `client`, inside a frame of `frame`, fits into the
// available area of a screen.
bool fitsScreen(QSize client, QMargins frame, QSize available);

// The frame the window system puts around a window: read from the window once the window
// system has framed it, estimated from the style's title bar and frame before (and for a window
// that no window manager frames).
QMargins windowFrameOf(const QWidget& window);

// The largest client area whose window, in `frame`, fits into `available`.
QSize clientAreaWithin(QRect available, QMargins frame);

// The client geometry of a window at `client` in `frame`, moved the least distance, and first
// made smaller where it must (not below `minimum`), so that its frame lies inside `available`.
// When even `minimum` is too large, the frame's top left corner (the title bar) stays inside.
QRect fittedWithin(QRect client, QMargins frame, QSize minimum, QRect available);

}  // namespace lumetra
