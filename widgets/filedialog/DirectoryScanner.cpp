// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/filedialog/DirectoryScanner.h"

#include <QDirIterator>
#include <QStringList>

#include <chrono>
#include <memory>

namespace lumetra {

bool isSuggestion(const QString& name, const QString& typed) {
    return !typed.isEmpty() && name.startsWith(typed, Qt::CaseInsensitive);
}

DirectoryScanner::DirectoryScanner(ScanSink& sink, ScanLimits limits)
    : sink_(sink), limits_(limits) {}

DirectoryScanner::~DirectoryScanner() {
    stop();
}

void DirectoryScanner::start() {
    std::lock_guard lock(mutex_);
    if (thread_.joinable()) {
        return;
    }
    run_ = true;
    thread_ = std::thread(&DirectoryScanner::run, this);
}

void DirectoryScanner::stop() {
    {
        std::lock_guard lock(mutex_);
        if (!thread_.joinable()) {
            return;
        }
        folder_.clear();
        text_.clear();
        newFolder_ = false;
        newText_ = false;
        run_ = false;
    }
    wake_.notify_all();
    thread_.join();
    std::lock_guard lock(mutex_);
    thread_ = std::thread();
}

bool DirectoryScanner::isRunning() const {
    std::lock_guard lock(mutex_);
    return thread_.joinable();
}

std::uint64_t DirectoryScanner::setFolder(const QString& folder) {
    std::uint64_t generation;
    {
        std::lock_guard lock(mutex_);
        folder_ = folder;
        text_.clear();
        newFolder_ = true;
        newText_ = true;
        generation = ++generation_;
    }
    wake_.notify_all();
    return generation;
}

std::uint64_t DirectoryScanner::setTypedText(const QString& text) {
    std::uint64_t generation;
    {
        std::lock_guard lock(mutex_);
        text_ = text;
        newText_ = true;
        generation = ++generation_;
    }
    wake_.notify_all();
    return generation;
}

void DirectoryScanner::run() {
    constexpr auto kFilters = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    std::unique_ptr<QDirIterator> listing;
    QStringList names;
    QString text;
    std::uint64_t generation = 0;
    qsizetype compared = 0;
    int offered = 0;
    unsigned rounds = 0;

    for (;;) {
        QString folder;
        bool folderChanged = false;
        bool textChanged = false;
        {
            // Folder and text are taken together: a text typed right after a folder change
            // belongs to the new folder and must not be compared with names of the old one.
            std::lock_guard lock(mutex_);
            if (!run_) {
                return;
            }
            if (newFolder_) {
                folder = folder_;
                newFolder_ = false;
                folderChanged = true;
            }
            if (newText_) {
                text = text_;
                generation = generation_;
                newText_ = false;
                textChanged = true;
            }
        }

        QString listed;
        if (folderChanged) {
            listing.reset();
            names.clear();
            compared = 0;
            offered = 0;
            // setFolder also raised the new-text flag: the reset below empties the popup.
            if (!folder.isEmpty()) {
                listing = std::make_unique<QDirIterator>(folder, kFilters);
            }
        } else if (listing) {
            if (listing->hasNext()) {
                listing->next();
                listed = listing->fileName();
            } else {
                listing.reset();
            }
        }

        if (textChanged) {
            compared = 0;
            offered = 0;
            sink_.resetSuggestions(generation);
        }

        if (!listed.isEmpty()) {
            names.append(listed);
            if (names.size() >= limits_.maxNames) {
                listing.reset();
            }
        }

        const auto wantsComparing = [&] {
            return !text.isEmpty() && offered < limits_.maxSuggestions && compared < names.size();
        };
        if (wantsComparing()) {
            const QString& name = names.at(compared);
            if (isSuggestion(name, text)) {
                if (sink_.offerSuggestion(generation, name)) {
                    ++compared;
                    if (++offered == 1) {
                        sink_.showSuggestions(generation);
                    }
                } else {
                    std::unique_lock lock(mutex_);
                    wake_.wait_for(lock, std::chrono::milliseconds(kScanShortPauseMs),
                                   [this] { return !run_; });
                    continue;
                }
            } else {
                ++compared;
            }
        }

        const bool busy = listing != nullptr || wantsComparing();
        if (busy && ++rounds % kScanRoundsPerPause != 0) {
            continue;
        }
        std::unique_lock lock(mutex_);
        const auto pause = std::chrono::milliseconds(busy ? kScanShortPauseMs : kScanIdlePauseMs);
        wake_.wait_for(lock, pause, [this] { return !run_ || newFolder_ || newText_; });
    }
}

}  // namespace lumetra
