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

// The frame the window system puts around a window: read from the window once it has been
// shown, estimated from the style's title bar and frame before.
QMargins windowFrameOf(const QWidget& window);

// The largest client area whose window, in `frame`, fits into `available`.
QSize clientAreaWithin(QRect available, QMargins frame);

}  // namespace lumetra
