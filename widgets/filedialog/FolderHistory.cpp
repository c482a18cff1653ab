// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/filedialog/FolderHistory.h"

#include <QDir>
#include <QFileInfo>

namespace lumetra {

QString fileKindFromSuffix(const QString& defaultSuffix) {
    qsizetype start = 0;
    for (qsizetype i = defaultSuffix.size(); i > 0; --i) {
        const QChar c = defaultSuffix.at(i - 1);
        if (c == u'.' || c == u'*' || c == u'?') {
            start = i;
            break;
        }
    }
    const QString kind = defaultSuffix.mid(start, kFileKindMaxLength);
    if (kind.isEmpty()) {
        return kind;
    }
    return kind.left(1).toUpper() + kind.mid(1).toLower();
}

QString historyValueName(const QString& kind) {
    return QString::fromLatin1(kHistoryValuePrefix) + kind;
}

QStringList historyFromStored(const QStringList& stored) {
    QStringList history;
    for (const QString& entry : stored) {
        if (history.size() == kHistoryReadLimit) {
            break;
        }
        if (!entry.isEmpty()) {
            history.append(entry);
        }
    }
    return history;
}

QStringList historyToStore(const QStringList& history) {
    QStringList stored;
    qsizetype used = 0;
    for (qsizetype i = 0; i < history.size() && i < kHistoryWriteLimit; ++i) {
        const qsizetype length = history.at(i).toUtf8().size();
        if (length + used + 3 > kHistoryByteBudget) {
            continue;
        }
        stored.append(history.at(i));
        used += length + 1;
    }
    return stored;
}

namespace {

bool isSeparator(QChar c) {
    return c == u'/' || c == kFolderSeparator;
}

QString asFolderEntry(const QString& absolutePath) {
    QString folder = QDir::toNativeSeparators(QDir::cleanPath(absolutePath));
    if (!folder.endsWith(kFolderSeparator)) {
        folder.append(kFolderSeparator);
    }
    return folder;
}

}  // namespace

std::optional<FolderCandidate> folderToRecord(const QString& taken, DialogKind kind,
                                              const QString& currentFolder) {
    QString path = taken;
    if (path.size() > 1 && isSeparator(path.back())) {
        path.chop(1);
    }
    if (path.isEmpty()) {
        return std::nullopt;
    }
    const QFileInfo info(QDir(currentFolder), QDir::fromNativeSeparators(path));
    if (info.exists()) {
        if (info.isDir()) {
            return FolderCandidate{asFolderEntry(info.absoluteFilePath()), false};
        }
        return FolderCandidate{asFolderEntry(info.absolutePath()), true};
    }
    if (kind == DialogKind::Save) {
        return std::nullopt;
    }
    // A name that does not exist in an open dialog still tells which folder the user was in,
    // provided the text actually named a folder part.
    const QString normalized = QDir::fromNativeSeparators(path);
    const qsizetype cut = normalized.lastIndexOf(u'/');
    if (cut < 0) {
        return std::nullopt;
    }
    const QFileInfo folder(QDir(currentFolder), normalized.left(cut == 0 ? 1 : cut));
    if (!folder.isDir()) {
        return std::nullopt;
    }
    return FolderCandidate{asFolderEntry(folder.absoluteFilePath()), false};
}

bool recordFolder(QStringList& history, const QString& folder) {
    if (folder.isEmpty()) {
        return false;
    }
    QStringList updated{folder};
    for (const QString& entry : history) {
        if (entry.compare(folder, kFolderCase) != 0) {
            updated.append(entry);
        }
    }
    const bool changed = updated != history;
    history = std::move(updated);
    return changed;
}

QString withNativeSlashes(const QString& text) {
    if (kFolderSeparator == u'\\') {
        QString result = text;
        result.replace(u'/', u'\\');
        return result;
    }
    return text;
}

}  // namespace lumetra
