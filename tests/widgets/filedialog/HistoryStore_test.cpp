// SPDX-License-Identifier: GPL-3.0-or-later
// Where the history is stored and how it travels through the settings.

#include "FileDialogTestSupport.h"

#include "widgets/filedialog/FolderHistory.h"
#include "widgets/filedialog/HistoryStore.h"

#include <QSettings>

#include <gtest/gtest.h>

namespace lumetra {
namespace {

using test::storeDataHistory;
using test::storedDataHistory;
using test::TemporarySettings;

class HistoryStoreTest : public ::testing::Test {
  protected:
    TemporarySettings settings_;
};

TEST_F(HistoryStoreTest, UsesTheCommonKeyUnlessTheApplicationsOwnExists) {
    const HistoryLocation common = historyLocation(QStringLiteral("Lumetra"));
    EXPECT_EQ(common.application, QStringLiteral("Common"));
    EXPECT_EQ(common.group, QStringLiteral("OfnList"));

    {
        QSettings own(QSettings::UserScope, QStringLiteral("Vandrel"), QStringLiteral("Lumetra"));
        own.setValue(QStringLiteral("Fenster"), 1);
    }
    const HistoryLocation own = historyLocation(QStringLiteral("Lumetra"));
    EXPECT_EQ(own.application, QStringLiteral("Lumetra"));
    EXPECT_EQ(own.group, QString());

    EXPECT_EQ(historyLocation(QString()).application, QStringLiteral("Common"));
    // A name that makes the key path longer than allowed never selects the application's key.
    const QString longName(120, u'L');
    {
        QSettings longSettings(QSettings::UserScope, QStringLiteral("Vandrel"), longName);
        longSettings.setValue(QStringLiteral("Fenster"), 1);
    }
    EXPECT_EQ(historyLocation(longName).application, QStringLiteral("Common"));
}

TEST_F(HistoryStoreTest, WritesTheCommonValueThatItReads) {
    const HistoryLocation location = historyLocation(QStringLiteral("Lumetra"));
    const QStringList history{QStringLiteral("/a, mit Komma/"), QStringLiteral("/b/"),
                              QStringLiteral("/Ä ö/")};
    writeHistory(location, QStringLiteral("Lumet"), history);
    EXPECT_EQ(storedDataHistory(), history);
    EXPECT_EQ(readHistory(location, QStringLiteral("Lumet")), history);
    // Another file kind has a history of its own.
    EXPECT_EQ(readHistory(location, QStringLiteral("Csv")), QStringList{});
}

TEST_F(HistoryStoreTest, AppliesTheLimitsOnBothSides) {
    const HistoryLocation location = historyLocation(QStringLiteral("Lumetra"));
    QStringList forty;
    for (int i = 0; i < 40; ++i) {
        forty.append(QStringLiteral("/o%1/").arg(i));
    }
    storeDataHistory(forty);
    EXPECT_EQ(readHistory(location, QStringLiteral("Lumet")), forty.mid(0, kHistoryReadLimit));
    writeHistory(location, QStringLiteral("Lumet"), forty);
    EXPECT_EQ(storedDataHistory(), forty.mid(0, kHistoryWriteLimit));
}

TEST_F(HistoryStoreTest, MissingOrSingleValuesReadAsLists) {
    const HistoryLocation location = historyLocation(QStringLiteral("Lumetra"));
    EXPECT_EQ(readHistory(location, QStringLiteral("Lumet")), QStringList{});
    storeDataHistory({QStringLiteral("/nur/")});
    EXPECT_EQ(readHistory(location, QStringLiteral("Lumet")), QStringList{QStringLiteral("/nur/")});
    writeHistory(location, QStringLiteral("Lumet"), {});
    EXPECT_EQ(readHistory(location, QStringLiteral("Lumet")), QStringList{});
}

}  // namespace
}  // namespace lumetra
