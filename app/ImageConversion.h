// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

#include "support/Image24.h"

namespace lumetra {

// Between the core's 24-bit images and Qt's. Both copy the pixels.
QImage toQImage(const Image24& image);
Image24 fromQImage(const QImage& image);

}  // namespace lumetra
