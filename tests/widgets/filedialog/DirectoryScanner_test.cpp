// SPDX-License-Identifier: GPL-3.0-or-later
// The background scan on its own, with a sink that records what reaches it.

#include "FileDialogTestSupport.h"

#include "widgets/filedialog/DirectoryScanner.h"

#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <mutex>
#include <thread>

namespace lumetra {
namespace {

using test::FolderTree;

constexpr int kTimeoutMs = 10000;

// Keeps the reports of the newest generation, as the dialog does.
class RecordingSink : public ScanSink {
  public:
    void resetSuggestions(std::uint64_t generation) override {
        std::lock_guard lock(mutex_);
        if (generation >= generation_) {
            generation_ = generation;
            names_.clear();
            shown_ = false;
        }
    }
    bool offerSuggestion(std::uint64_t generation, const QString& name) override {
        std::lock_guard lock(mutex_);
        if (refuse_ > 0) {
            --refuse_;
            return false;
        }
        if (generation == generation_) {
            names_.append(name);
        }
        return true;
    }
    void showSuggestions(std::uint64_t generation) override {
        std::lock_guard lock(mutex_);
        if (generation == generation_) {
            shown_ = true;
        }
    }

    QStringList sortedNames() const {
        std::lock_guard lock(mutex_);
        QStringList names = names_;
        names.sort();
        return names;
    }
    qsizetype count() const {
        std::lock_guard lock(mutex_);
        return names_.size();
    }
    bool shown() const {
        std::lock_guard lock(mutex_);
        return shown_;
    }
    // True once the reports of `generation` arrive and hold exactly `count` names.
    bool holds(std::uint64_t generation, qsizetype count) const {
        std::lock_guard lock(mutex_);
        return generation_ == generation && names_.size() == count;
    }
    // True once the reports of `generation` (or a later one) arrive.
    bool reached(std::uint64_t generation) const {
        std::lock_guard lock(mutex_);
        return generation_ >= generation;
    }
    void refuseNext(int count) {
        std::lock_guard lock(mutex_);
        refuse_ = count;
    }

  private:
    mutable std::mutex mutex_;
    std::uint64_t generation_{0};
    QStringList names_;
    bool shown_{false};
    int refuse_{0};
};

class DirectoryScannerTest : public ::testing::Test {
  protected:
    // Waits until the sink holds `expected` (sorted) and then a little longer, so that a scan
    // offering too much would be caught.
    void expectOffered(const QStringList& expected) {
        QStringList sorted = expected;
        sorted.sort();
        EXPECT_TRUE(QTest::qWaitFor([&] { return sink_.sortedNames() == sorted; }, kTimeoutMs))
            << "offered " << sink_.sortedNames().join(u',').toStdString();
        QTest::qWait(30);
        EXPECT_EQ(sink_.sortedNames(), sorted);
    }

    FolderTree tree_;
    RecordingSink sink_;
};

TEST_F(DirectoryScannerTest, OffersNamesBeginningWithTheTextWithoutRegardToCase) {
    for (const char* name : {"Projekt.lumet", "PROTOKOLL.txt", "Daten.lumet", "aprot"}) {
        tree_.addFile(QString::fromLatin1(name));
    }
    tree_.addFolder(QStringLiteral("prozesse"));
    DirectoryScanner scanner(sink_);
    scanner.start();
    scanner.setFolder(tree_.path());
    scanner.setTypedText(QStringLiteral("pro"));
    expectOffered({QStringLiteral("Projekt.lumet"), QStringLiteral("PROTOKOLL.txt"),
                   QStringLiteral("prozesse")});
    EXPECT_TRUE(sink_.shown());

    scanner.setTypedText(QStringLiteral("d"));
    expectOffered({QStringLiteral("Daten.lumet")});
    scanner.setTypedText(QStringLiteral("x"));
    expectOffered({});
    EXPECT_FALSE(sink_.shown());
}

TEST_F(DirectoryScannerTest, ANewFolderForgetsTheOldNamesAndTheText) {
    tree_.addFolder(QStringLiteral("eins"));
    tree_.addFolder(QStringLiteral("zwei"));
    tree_.addFile(QStringLiteral("eins/alpha"));
    tree_.addFile(QStringLiteral("zwei/anton"));
    DirectoryScanner scanner(sink_);
    scanner.start();
    scanner.setFolder(tree_.absolute(QStringLiteral("eins")));
    scanner.setTypedText(QStringLiteral("a"));
    expectOffered({QStringLiteral("alpha")});
    scanner.setFolder(tree_.absolute(QStringLiteral("zwei")));
    expectOffered({});
    scanner.setTypedText(QStringLiteral("a"));
    expectOffered({QStringLiteral("anton")});
}

TEST_F(DirectoryScannerTest, ATextTypedRightAfterAFolderChangeNeverSeesTheOldFolder) {
    // The old folder is still being listed when the new folder and a text arrive together;
    // none of its names may be offered for that text. The moment the two arrive is varied
    // over many attempts, since the scan thread may be anywhere in its round.
    tree_.addFolder(QStringLiteral("alt"));
    tree_.addFolder(QStringLiteral("neu"));
    for (int i = 0; i < 1500; ++i) {
        tree_.addFile(QStringLiteral("alt/p%1").arg(i));
    }
    DirectoryScanner scanner(sink_);
    scanner.start();
    for (int attempt = 0; attempt < 60; ++attempt) {
        scanner.setFolder(tree_.absolute(QStringLiteral("alt")));
        std::this_thread::sleep_for(std::chrono::microseconds(50 * (attempt % 40)));
        scanner.setFolder(tree_.absolute(QStringLiteral("neu")));
        const auto generation = scanner.setTypedText(QStringLiteral("p"));
        ASSERT_TRUE(QTest::qWaitFor([&] { return sink_.reached(generation); }, kTimeoutMs));
        QTest::qWait(3);
        ASSERT_TRUE(sink_.holds(generation, 0))
            << "attempt " << attempt << " offered " << sink_.sortedNames().size()
            << " names of the old folder";
    }
}

TEST_F(DirectoryScannerTest, OffersAtMostTheSuggestionLimitPerText) {
    for (int i = 0; i < 150; ++i) {
        tree_.addFile(QStringLiteral("n%1").arg(i, 3, 10, QChar(u'0')));
    }
    DirectoryScanner scanner(sink_);
    scanner.start();
    scanner.setFolder(tree_.path());
    scanner.setTypedText(QStringLiteral("n"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return sink_.count() == kScanMaxSuggestions; }, kTimeoutMs));
    QTest::qWait(50);
    EXPECT_EQ(sink_.count(), kScanMaxSuggestions);
    // Counting starts again for the next text.
    scanner.setTypedText(QStringLiteral("n1"));
    expectOffered([] {
        QStringList names;
        for (int i = 100; i < 150; ++i) {
            names.append(QStringLiteral("n%1").arg(i));
        }
        return names;
    }());
}

TEST_F(DirectoryScannerTest, CollectsNoMoreThanTheNameLimit) {
    constexpr int kFiles = 30;
    constexpr ScanLimits kSmall{20, 5};
    for (int i = 0; i < kFiles; ++i) {
        tree_.addFile(QStringLiteral("n%1").arg(i, 2, 10, QChar(u'0')));
    }
    DirectoryScanner scanner(sink_, kSmall);
    scanner.start();
    scanner.setFolder(tree_.path());
    scanner.setTypedText(QStringLiteral("n"));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return sink_.count() == kSmall.maxSuggestions; }, kTimeoutMs));
    // Which names were collected depends on the listing order; how many does not. A name
    // that does not show quickly is tried once more with the long wait of every other check,
    // so that a slow machine cannot make a collected name look missing.
    const auto offered = [&](int i, int timeoutMs) {
        const auto generation =
            scanner.setTypedText(QStringLiteral("n%1").arg(i, 2, 10, QChar(u'0')));
        return QTest::qWaitFor([&] { return sink_.holds(generation, 1); }, timeoutMs);
    };
    int collected = 0;
    QList<int> missing;
    for (int i = 0; i < kFiles; ++i) {
        if (offered(i, 100)) {
            ++collected;
        } else {
            missing.append(i);
        }
    }
    for (int i : missing) {
        if (collected >= kSmall.maxNames) {
            break;
        }
        collected += offered(i, kTimeoutMs) ? 1 : 0;
    }
    EXPECT_EQ(collected, kSmall.maxNames);
}

TEST_F(DirectoryScannerTest, RetriesANameThatCouldNotBeHandedOver) {
    tree_.addFile(QStringLiteral("einzig"));
    DirectoryScanner scanner(sink_);
    sink_.refuseNext(3);
    scanner.start();
    scanner.setFolder(tree_.path());
    scanner.setTypedText(QStringLiteral("ein"));
    expectOffered({QStringLiteral("einzig")});
}

TEST_F(DirectoryScannerTest, StopsPromptlyAndCanStartAgain) {
    DirectoryScanner scanner(sink_);
    EXPECT_FALSE(scanner.isRunning());
    scanner.start();
    EXPECT_TRUE(scanner.isRunning());
    scanner.stop();  // joins although the thread is in its long idle pause
    EXPECT_FALSE(scanner.isRunning());
    scanner.stop();

    tree_.addFile(QStringLiteral("wieder"));
    scanner.start();
    scanner.setFolder(tree_.path());
    scanner.setTypedText(QStringLiteral("w"));
    expectOffered({QStringLiteral("wieder")});
}

TEST_F(DirectoryScannerTest, AFolderThatCannotBeListedOffersNothing) {
    DirectoryScanner scanner(sink_);
    scanner.start();
    scanner.setFolder(tree_.absolute(QStringLiteral("gibt-es-nicht")));
    scanner.setTypedText(QStringLiteral("a"));
    QTest::qWait(50);
    EXPECT_EQ(sink_.count(), 0);
}

TEST(Suggestion, MatchesFromTheStartWithoutRegardToCase) {
    struct Case {
        const char* name;
        const char* typed;
        bool offered;
    };
    const Case cases[] = {
        {"Projekt.lumet", "pro", true}, {"PROTOKOLL.txt", "pro", true}, {"aprot", "pro", false},
        {"pro", "pro", true},           {"pr", "pro", false},           {"Ärger", "ä", true},
        {"anything", "", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(isSuggestion(QString::fromUtf8(c.name), QString::fromUtf8(c.typed)), c.offered)
            << c.name << " / " << c.typed;
    }
}

}  // namespace
}  // namespace lumetra
