// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Background scan of a dialog's current folder that offers the names beginning with the text
// typed into the file-name box. The scan runs on its own thread; it reports only through a
// ScanSink, whose implementation forwards each report to the dialog as a queued call.

#include <QString>

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

namespace lumetra {

// Names of one folder that are kept for comparing; listing ends when this many are held.
constexpr int kScanMaxNames = 2000;
// Suggestions offered for one typed text.
constexpr int kScanMaxSuggestions = 100;
// Rounds of listing or comparing between two short pauses.
constexpr int kScanRoundsPerPause = 256;
constexpr int kScanShortPauseMs = 10;
// Pause while there is nothing to list or compare; new work ends it early.
constexpr int kScanIdlePauseMs = 1000;

// True when `name` is offered for the typed text: it begins with the text, compared without
// regard to case. An empty text offers nothing.
bool isSuggestion(const QString& name, const QString& typed);

// Receives the scan's reports on the scan thread. Every report carries the generation of the
// typed text it belongs to (see DirectoryScanner::setTypedText).
class ScanSink {
  public:
    virtual ~ScanSink() = default;
    // Forget the suggestions shown so far.
    virtual void resetSuggestions(std::uint64_t generation) = 0;
    // Offer one name; false when it could not be handed over (the scan retries it).
    virtual bool offerSuggestion(std::uint64_t generation, const QString& name) = 0;
    // The first name for the text was offered: the suggestions may be shown.
    virtual void showSuggestions(std::uint64_t generation) = 0;
};

// How much one scan collects and offers.
struct ScanLimits {
    int maxNames{kScanMaxNames};
    int maxSuggestions{kScanMaxSuggestions};
};

class DirectoryScanner {
  public:
    explicit DirectoryScanner(ScanSink& sink, ScanLimits limits = {});
    ~DirectoryScanner();
    DirectoryScanner(const DirectoryScanner&) = delete;
    DirectoryScanner& operator=(const DirectoryScanner&) = delete;

    // Starts the scan thread unless it runs already.
    void start();
    // Tells the thread to stop and waits for it; nothing is reported afterwards. The folder
    // is forgotten, so a restarted scan waits for setFolder.
    void stop();
    bool isRunning() const;

    // A new folder to list (empty: none). The typed text is cleared. Returns the new
    // generation.
    std::uint64_t setFolder(const QString& folder);
    // A new typed text. Returns its generation, which the reports for it carry.
    std::uint64_t setTypedText(const QString& text);

  private:
    void run();

    ScanSink& sink_;
    const ScanLimits limits_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    // Shared with the thread, guarded by mutex_.
    QString folder_;
    QString text_;
    std::uint64_t generation_{0};
    bool newFolder_{false};
    bool newText_{false};
    bool run_{false};

    std::thread thread_;
};

}  // namespace lumetra
