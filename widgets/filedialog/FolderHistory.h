// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The folder history of the file dialogs and the rules that decide which folder a confirmed
// dialog adds to it. Plain functions without widgets, so that every rule can be tested alone.

#include <QChar>
#include <QString>
#include <QStringList>

#include <optional>

namespace lumetra {

// Entries read from the stored value; more are ignored.
constexpr qsizetype kHistoryReadLimit = 32;
// Entries written back; the rest of the list is dropped.
constexpr qsizetype kHistoryWriteLimit = 16;
// Bytes the stored list may take: each entry with its terminating zero, plus three spare.
constexpr qsizetype kHistoryByteBudget = 4096;
// Characters of a default extension that make up the file kind.
constexpr qsizetype kFileKindMaxLength = 24;
// Prefix of the stored value's name; the file kind follows ("OfnListLumet").
constexpr char kHistoryValuePrefix[] = "OfnList";

#ifdef Q_OS_WIN
constexpr QChar kFolderSeparator = u'\\';
constexpr Qt::CaseSensitivity kFolderCase = Qt::CaseInsensitive;
#else
constexpr QChar kFolderSeparator = u'/';
constexpr Qt::CaseSensitivity kFolderCase = Qt::CaseSensitive;
#endif

enum class DialogKind { Open, Save };

// The file kind of a dialog with the given default extension: the text after its last ".",
// "*" or "?", at most 24 characters, first letter upper case, the rest lower case ("lumet"
// gives "Lumet").
QString fileKindFromSuffix(const QString& defaultSuffix);

// Name of the stored value of a file kind: "OfnList" + kind.
QString historyValueName(const QString& kind);

// The history as read from storage: empty entries dropped, at most kHistoryReadLimit entries.
QStringList historyFromStored(const QStringList& stored);

// The part of the history that is written: the first kHistoryWriteLimit entries, leaving out
// any entry that would break the byte budget (entries counted in UTF-8).
QStringList historyToStore(const QStringList& history);

// A folder that a confirmed dialog adds to the history.
struct FolderCandidate {
    QString folder;    // absolute, native separators, ending with kFolderSeparator
    bool namedFile{};  // the taken text named an existing file (not a folder)
};

// Which folder the text taken from a dialog records. `taken` is the file-name box text or the
// accepted path; a relative text is read against `currentFolder`, the folder the dialog shows.
// A new name in a save dialog records nothing; in an open dialog its folder is recorded when
// that folder exists.
std::optional<FolderCandidate> folderToRecord(const QString& taken, DialogKind kind,
                                              const QString& currentFolder);

// Puts `folder` at the top of `history`, moving an equal entry (compared as the platform
// compares folders) instead of holding it twice. Returns true when the list changed.
bool recordFolder(QStringList& history, const QString& folder);

// The box text after Enter: "/" becomes "\" where "\" is the folder separator; elsewhere the
// text is returned as it is.
QString withNativeSlashes(const QString& text);

}  // namespace lumetra
