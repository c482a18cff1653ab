// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Fixtures of the file dialog tests: a temporary settings location (so no test touches the
// user's real settings) and a temporary folder tree.

#include "test_support/TestSupport.h"

#include <QDir>
#include <QString>
#include <QStringList>

#include <memory>
#include <ostream>

// Readable QString values in assertion messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& list, std::ostream* out) {
    *out << '{';
    for (const QString& text : list) {
        *out << ' ';
        PrintTo(text, out);
    }
    *out << " }";
}

namespace lumetra::test {

// Points every user-scope QSettings of the process at a fresh temporary folder for the
// lifetime of the object.
class TemporarySettings {
  public:
    TemporarySettings();
    ~TemporarySettings();
    TemporarySettings(const TemporarySettings&) = delete;
    TemporarySettings& operator=(const TemporarySettings&) = delete;

    QString path() const;

  private:
    TemporaryFolder folder_;
};

// A temporary folder with helpers to create files and sub-folders in it.
class FolderTree {
  public:
    QString path() const;
    // Absolute path of `relative` inside the tree.
    QString absolute(const QString& relative) const;
    // The folder as the history records it: native separators and a trailing separator.
    QString entry(const QString& relative = QString()) const;
    void addFile(const QString& relative) const;
    void addFolder(const QString& relative) const;

  private:
    TemporaryFolder folder_;
};

// The history of data files ("OfnListLumet") as stored at the common location.
QStringList storedDataHistory();
// Stores `history` as the data-file history at the common location, as it is (no limits).
void storeDataHistory(const QStringList& history);

}  // namespace lumetra::test
