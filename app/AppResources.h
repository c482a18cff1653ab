// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QImage>

namespace lumetra {

// The pictures compiled into the program: the application icon (resource 128) and the help
// pictures (129, 131..135, 139..143).
QIcon applicationIcon();

// The help picture with the resource id, or a null image when there is none.
QImage loadHelpBitmap(int resourceId);

}  // namespace lumetra
