// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/filedialog/HistoryStore.h"

#include "widgets/filedialog/FolderHistory.h"

#include <QFileInfo>
#include <QSettings>

#include <memory>

namespace lumetra {

namespace {

bool applicationSettingsExist(const QString& applicationName) {
#ifdef Q_OS_WIN
    QSettings organization(
        QStringLiteral("HKEY_CURRENT_USER\\Software\\") + QString::fromLatin1(kHistoryOrganization),
        QSettings::NativeFormat);
    return organization.childGroups().contains(applicationName, Qt::CaseInsensitive);
#else
    const QSettings settings(QSettings::UserScope, QString::fromLatin1(kHistoryOrganization),
                             applicationName);
    return QFileInfo(settings.fileName()).isFile();
#endif
}

std::unique_ptr<QSettings> openSettings(const HistoryLocation& location) {
    auto settings = std::make_unique<QSettings>(
        QSettings::UserScope, QString::fromLatin1(kHistoryOrganization), location.application);
    if (!location.group.isEmpty()) {
        settings->beginGroup(location.group);
    }
    return settings;
}

}  // namespace

HistoryLocation historyLocation(const QString& applicationName) {
    const QString keyPath = QStringLiteral("Software\\") +
                            QString::fromLatin1(kHistoryOrganization) + u'\\' + applicationName;
    if (!applicationName.isEmpty() && keyPath.size() <= kHistoryKeyPathLimit &&
        applicationSettingsExist(applicationName)) {
        return {applicationName, QString()};
    }
    return {QString::fromLatin1(kCommonHistoryApplication),
            QString::fromLatin1(kCommonHistoryGroup)};
}

QStringList readHistory(const HistoryLocation& location, const QString& kind) {
    const auto settings = openSettings(location);
    return historyFromStored(settings->value(historyValueName(kind)).toStringList());
}

void writeHistory(const HistoryLocation& location, const QString& kind,
                  const QStringList& history) {
    const auto settings = openSettings(location);
    settings->setValue(historyValueName(kind), historyToStore(history));
    settings->sync();
}

}  // namespace lumetra
