// SPDX-License-Identifier: GPL-3.0-or-later
// The rules of the folder history: file kind, limits, which folder a confirmed dialog records,
// and how the list is updated.

#include "FileDialogTestSupport.h"

#include "widgets/filedialog/FolderHistory.h"

#include <gtest/gtest.h>

namespace lumetra {
namespace {

using test::FolderTree;

TEST(FileKind, IsTakenFromTheDefaultExtension) {
    struct Case {
        const char* suffix;
        const char* kind;
    };
    const Case cases[] = {
        {"lumet", "Lumet"},   {"LUMET", "Lumet"},
        {"*.lumet", "Lumet"}, {"daten.csv", "Csv"},
        {"a?b*txt", "Txt"},   {"", ""},
        {"lumet.", ""},       {"abcdefghijklmnopqrstuvwxyz", "Abcdefghijklmnopqrstuvwx"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(fileKindFromSuffix(QString::fromLatin1(c.suffix)), QString::fromLatin1(c.kind))
            << "suffix " << c.suffix;
    }
    EXPECT_EQ(historyValueName(fileKindFromSuffix(QStringLiteral("lumet"))),
              QStringLiteral("OfnListLumet"));
}

QStringList numbered(int count, const QString& prefix = QStringLiteral("/ordner")) {
    QStringList list;
    for (int i = 0; i < count; ++i) {
        list.append(prefix + QString::number(i) + u'/');
    }
    return list;
}

TEST(HistoryLimits, ReadingKeepsThirtyTwoNonEmptyEntries) {
    EXPECT_EQ(historyFromStored(numbered(40)), numbered(32));
    EXPECT_EQ(historyFromStored({QStringLiteral("/a/"), QString(), QStringLiteral("/b/")}),
              (QStringList{QStringLiteral("/a/"), QStringLiteral("/b/")}));
    EXPECT_EQ(historyFromStored({}), QStringList{});
}

TEST(HistoryLimits, WritingKeepsSixteenWithinTheByteBudget) {
    EXPECT_EQ(historyToStore(numbered(20)), numbered(16));
    EXPECT_EQ(historyToStore(numbered(3)), numbered(3));

    // Entries of 1200 bytes: three fit (3 x 1201 + 1200 + 3 > 4096 stops the fourth), a short
    // entry behind the one that is skipped still fits.
    const QString big = u'/' + QString(1198, u'x') + u'/';
    const QString small = QStringLiteral("/kurz/");
    EXPECT_EQ(historyToStore({big, big, big, big, small, big}),
              (QStringList{big, big, big, small}));

    // The budget counts bytes, so letters beyond ASCII count twice.
    const QString umlauts = u'/' + QString(2040, QChar(0xE4)) + u'/';
    EXPECT_EQ(historyToStore({umlauts, umlauts}), QStringList{umlauts});
}

TEST(RecordFolder, PutsTheFolderOnTopAndNeverHoldsItTwice) {
    const QString a = QStringLiteral("/a/");
    const QString b = QStringLiteral("/b/");
    const QString c = QStringLiteral("/c/");
    struct Case {
        const char* name;
        QStringList before;
        QString folder;
        QStringList after;
        bool changed;
    };
    const Case cases[] = {
        {"IntoEmpty", {}, a, {a}, true},
        {"NewOnTop", {b, c}, a, {a, b, c}, true},
        {"MovedFromBottom", {a, b, c}, c, {c, a, b}, true},
        {"AlreadyOnTop", {a, b}, a, {a, b}, false},
        {"DuplicatesBelowRemoved", {a, b, a}, a, {a, b}, true},
        {"EmptyIgnored", {a}, QString(), {a}, false},
    };
    for (const Case& test : cases) {
        QStringList history = test.before;
        EXPECT_EQ(recordFolder(history, test.folder), test.changed) << test.name;
        EXPECT_EQ(history, test.after) << test.name;
    }
}

TEST(RecordFolder, ComparesFoldersAsThePlatformDoes) {
    QStringList history{QStringLiteral("/Daten/")};
    recordFolder(history, QStringLiteral("/daten/"));
    const qsizetype expected = kFolderCase == Qt::CaseSensitive ? 2 : 1;
    EXPECT_EQ(history.size(), expected);
    EXPECT_EQ(history.front(), QStringLiteral("/daten/"));
}

TEST(NativeSlashes, ChangeOnlyWhereBackslashIsTheSeparator) {
    const QString typed = QStringLiteral("C:/Daten/");
    const QString expected = kFolderSeparator == u'\\' ? QStringLiteral("C:\\Daten\\") : typed;
    EXPECT_EQ(withNativeSlashes(typed), expected);
    EXPECT_EQ(withNativeSlashes(QStringLiteral("name.lumet")), QStringLiteral("name.lumet"));
}

class FolderToRecord : public ::testing::Test {
  protected:
    void SetUp() override {
        tree_.addFolder(QStringLiteral("Daten"));
        tree_.addFile(QStringLiteral("Daten/a.lumet"));
    }
    FolderTree tree_;
};

TEST_F(FolderToRecord, FollowsTheRecordingSteps) {
    struct Case {
        const char* name;
        QString taken;  // relative to the tree unless absolute
        DialogKind kind;
        QString folder;  // relative folder of the expected entry; null: nothing recorded
        bool namedFile;
    };
    const QString none;
    const Case cases[] = {
        {"OpenExistingFile", QStringLiteral("Daten/a.lumet"), DialogKind::Open,
         QStringLiteral("Daten"), true},
        {"SaveExistingFile", QStringLiteral("Daten/a.lumet"), DialogKind::Save,
         QStringLiteral("Daten"), true},
        {"SaveNewFile", QStringLiteral("Daten/neu.lumet"), DialogKind::Save, none, false},
        {"OpenMissingFileInExistingFolder", QStringLiteral("Daten/neu.lumet"), DialogKind::Open,
         QStringLiteral("Daten"), false},
        {"OpenMissingFileInMissingFolder", QStringLiteral("weg/neu.lumet"), DialogKind::Open, none,
         false},
        {"OpenMissingBareName", QStringLiteral("neu.lumet"), DialogKind::Open, none, false},
        {"FolderWithSeparator", QStringLiteral("Daten/"), DialogKind::Save, QStringLiteral("Daten"),
         false},
        {"FolderWithoutSeparator", QStringLiteral("Daten"), DialogKind::Open,
         QStringLiteral("Daten"), false},
        {"RelativeFileInCurrentFolder", QStringLiteral("a.lumet"), DialogKind::Open, none, false},
        {"Empty", QString(), DialogKind::Open, none, false},
    };
    for (const Case& c : cases) {
        const auto candidate = folderToRecord(c.taken, c.kind, tree_.path());
        if (c.folder.isNull()) {
            EXPECT_FALSE(candidate.has_value()) << c.name;
            continue;
        }
        ASSERT_TRUE(candidate.has_value()) << c.name;
        EXPECT_EQ(candidate->folder, tree_.entry(c.folder)) << c.name;
        EXPECT_EQ(candidate->namedFile, c.namedFile) << c.name;
    }
}

TEST_F(FolderToRecord, ReadsRelativeNamesInTheDialogsFolder) {
    const auto candidate =
        folderToRecord(QStringLiteral("a.lumet"), DialogKind::Open, tree_.absolute("Daten"));
    ASSERT_TRUE(candidate.has_value());
    EXPECT_EQ(candidate->folder, tree_.entry(QStringLiteral("Daten")));
}

TEST_F(FolderToRecord, AbsolutePathsAndTheRootGetExactlyOneSeparator) {
    const auto absolute = folderToRecord(tree_.absolute(QStringLiteral("Daten/a.lumet")),
                                         DialogKind::Save, QStringLiteral("/"));
    ASSERT_TRUE(absolute.has_value());
    EXPECT_EQ(absolute->folder, tree_.entry(QStringLiteral("Daten")));

    const QString root = QDir::rootPath();
    const auto rootCandidate = folderToRecord(root, DialogKind::Open, tree_.path());
    ASSERT_TRUE(rootCandidate.has_value());
    EXPECT_EQ(rootCandidate->folder, QDir::toNativeSeparators(root));
}

}  // namespace
}  // namespace lumetra
