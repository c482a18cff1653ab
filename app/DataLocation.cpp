// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DataLocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace lumetra {

DatabaseSearch defaultDatabaseSearch() {
    DatabaseSearch search;
    search.currentDir = QDir::currentPath();
    if (QCoreApplication::instance() != nullptr) {
        search.applicationDir = QCoreApplication::applicationDirPath();
    }
#ifdef LUMETRA_BUILD_DATA_DIR
    search.buildDataDir = QStringLiteral(LUMETRA_BUILD_DATA_DIR);
#endif
    return search;
}

QStringList locationDatabaseCandidates(const DatabaseSearch& search) {
    const QString name = QString::fromLatin1(kLocationDatabaseName);
    QStringList candidates;
    if (!search.currentDir.isEmpty()) {
        candidates << QDir(search.currentDir).filePath(name);
    }
    if (!search.applicationDir.isEmpty()) {
        candidates << QDir::cleanPath(
            QDir(search.applicationDir).filePath(QStringLiteral("../share/lumetra/") + name));
    }
    if (!search.buildDataDir.isEmpty()) {
        candidates << QDir(search.buildDataDir).filePath(name);
    }
    return candidates;
}

QString findLocationDatabase(const DatabaseSearch& search) {
    const QStringList candidates = locationDatabaseCandidates(search);
    for (const QString& candidate : candidates) {
        if (QFileInfo(candidate).isFile()) {
            return candidate;
        }
    }
    // The bare name still names the current directory when no folder is known.
    return candidates.isEmpty() ? QString::fromLatin1(kLocationDatabaseName) : candidates.first();
}

}  // namespace lumetra
