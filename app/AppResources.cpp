// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AppResources.h"

#include <QString>

// The resources live in a static library; nothing references their registration otherwise,
// so it is pulled in by name once.
static void initLumetraResources() {
    Q_INIT_RESOURCE(help);
    Q_INIT_RESOURCE(icons);
}

namespace lumetra {

namespace {
void ensureResources() {
    static const bool registered = [] {
        initLumetraResources();
        return true;
    }();
    (void)registered;
}
}  // namespace

QIcon applicationIcon() {
    ensureResources();
    QIcon icon;
    for (const int size : {16, 32, 48, 256}) {
        icon.addFile(QStringLiteral(":/icons/128-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

QImage loadHelpBitmap(int resourceId) {
    ensureResources();
    return QImage(QStringLiteral(":/help/%1.png").arg(resourceId));
}

}  // namespace lumetra
