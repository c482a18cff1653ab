// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DataLocation.h"

#include <QCoreApplication>
#include <QDir>

#include "app/FileCommands.h"

namespace lumetra {

DataSearch defaultDataSearch() {
    DataSearch search;
    search.currentDir = toFilesystemPath(QDir::currentPath());
    if (QCoreApplication::instance() != nullptr) {
        search.applicationDir = toFilesystemPath(QCoreApplication::applicationDirPath());
    }
#ifdef LUMETRA_BUILD_DATA_DIR
    search.buildDataDir = LUMETRA_BUILD_DATA_DIR;
#endif
    return search;
}

}  // namespace lumetra
