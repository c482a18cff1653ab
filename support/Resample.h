// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/Image24.h"

namespace lumetra {

// Scales source to exactly width x height pixels by nearest-neighbour sampling: pixel (x, y)
// of the result is source pixel (x * source width / width, y * source height / height), in
// integer arithmetic with truncating division. The aspect ratio is not kept and nothing is
// smoothed. A width or height below 1, or an empty source, gives an empty image.
Image24 resampleNearest(const Image24& source, int width, int height);

}  // namespace lumetra
