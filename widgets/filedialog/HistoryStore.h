// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where the folder history of the file dialogs is kept, and reading and writing it.
//
// The history of a file kind is the string list "OfnList" + kind, stored per user under the
// organisation "Vandrel": in the application's own settings ("Vandrel/<application name>")
// when those already exist, otherwise in "Vandrel/Common", group "OfnList". On Windows these
// are the registry keys HKEY_CURRENT_USER\Software\Vandrel\... and the list is a multi-string
// value; elsewhere they are Qt's settings files (~/.config/Vandrel/Common.conf).

#include <QString>
#include <QStringList>

namespace lumetra {

constexpr char kHistoryOrganization[] = "Vandrel";
constexpr char kCommonHistoryApplication[] = "Common";
constexpr char kCommonHistoryGroup[] = "OfnList";
// Longest key path ("Software\Vandrel\" + application name) that still counts as the
// application's own key.
constexpr qsizetype kHistoryKeyPathLimit = 127;

struct HistoryLocation {
    QString application;  // settings of kHistoryOrganization / application
    QString group;        // group inside them; empty for the top level
};

// The location for an application of the given name.
HistoryLocation historyLocation(const QString& applicationName);

// The stored history of a file kind (at most kHistoryReadLimit entries); empty when nothing
// is stored.
QStringList readHistory(const HistoryLocation& location, const QString& kind);

// Stores the history of a file kind (the part historyToStore keeps). Failures are ignored:
// a history that cannot be written is simply not kept.
void writeHistory(const HistoryLocation& location, const QString& kind, const QStringList& history);

}  // namespace lumetra
