// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileDialogTestSupport.h"

#include <QFile>
#include <QSettings>

namespace lumetra::test {

TemporarySettings::TemporarySettings() {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, path());
}

TemporarySettings::~TemporarySettings() {
    // Later settings objects must not write into the removed folder.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QDir::tempPath());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, QDir::tempPath());
}

QString TemporarySettings::path() const {
    return QString::fromStdString(folder_.path().string());
}

QString FolderTree::path() const {
    return QString::fromStdString(folder_.path().string());
}

QString FolderTree::absolute(const QString& relative) const {
    return relative.isEmpty() ? path() : path() + u'/' + relative;
}

QString FolderTree::entry(const QString& relative) const {
    return QDir::toNativeSeparators(absolute(relative)) + QDir::separator();
}

void FolderTree::addFile(const QString& relative) const {
    QFile file(absolute(relative));
    if (!file.open(QIODevice::WriteOnly)) {
        ADD_FAILURE() << "cannot create " << relative.toStdString();
        return;
    }
    file.write("x\n");
}

void FolderTree::addFolder(const QString& relative) const {
    if (!QDir().mkpath(absolute(relative))) {
        ADD_FAILURE() << "cannot create folder " << relative.toStdString();
    }
}

QStringList storedDataHistory() {
    QSettings settings(QSettings::UserScope, QStringLiteral("Vandrel"), QStringLiteral("Common"));
    return settings.value(QStringLiteral("OfnList/OfnListLumet")).toStringList();
}

void storeDataHistory(const QStringList& history) {
    QSettings settings(QSettings::UserScope, QStringLiteral("Vandrel"), QStringLiteral("Common"));
    settings.setValue(QStringLiteral("OfnList/OfnListLumet"), history);
}

}  // namespace lumetra::test
