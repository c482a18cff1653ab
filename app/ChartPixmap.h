// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>

#include "support/Image24.h"

namespace lumetra {

// The whole-number factor a chart drawn at the logical size is enlarged by for a screen of
// `devicePixelRatio`: the ratio rounded up, at least 1.
int chartPixelFactor(qreal devicePixelRatio);

// The chart, drawn at the logical size, as a pixmap for a screen of `devicePixelRatio`. The
// chart's bitmap font and bar widths count pixels, so drawing it at the device size would
// shrink its text; it is enlarged by a whole factor instead, by repeating pixels, and looks
// as at factor 1. A null pixmap when the chart is empty or the conversion fails.
QPixmap chartPixmap(const Image24& logicalChart, qreal devicePixelRatio);

}  // namespace lumetra
