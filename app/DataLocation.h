// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace lumetra {

// The name the chooser opens and its messages speak of.
inline constexpr char kLocationDatabaseName[] = "SolarDatabase.csv";

// Where "Ort auswählen" looks for the location database, in this order: the current
// directory (a user's own database wins), the copy installed with the program
// (<program folder>/../share/lumetra), and the data folder of the source tree the program was
// built from (so that a program started from its build folder finds the shipped copy too).
// An empty folder is not searched.
struct DatabaseSearch {
    QString currentDir;
    QString applicationDir;
    QString buildDataDir;
};

// The places of the search, current directory first.
DatabaseSearch defaultDatabaseSearch();

// The candidate paths in search order.
QStringList locationDatabaseCandidates(const DatabaseSearch& search);

// The first candidate that is a file. When there is none, the path in the current directory:
// opening it fails and the user is told that the database could not be opened.
QString findLocationDatabase(const DatabaseSearch& search);

}  // namespace lumetra
