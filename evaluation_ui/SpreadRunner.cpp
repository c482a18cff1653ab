// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation_ui/SpreadRunner.h"

#include "evaluation/Evaluation.h"
#include "support/ThreadPriority.h"

namespace lumetra {

SpreadRunner::SpreadRunner(const evaluation::Evaluation& evaluation, QObject* parent)
    : QObject(parent), evaluation_(evaluation) {}

SpreadRunner::~SpreadRunner() {
    if (cancel_) {
        cancel_->store(true);
    }
    if (worker_.joinable()) {
        worker_.join();
    }
}

void SpreadRunner::update() {
    const std::optional<evaluation::SpreadRequest> request = evaluation_.spreadRequest();
    if (shownRequest_ && (!request || !(*shownRequest_ == *request))) {
        shownRequest_.reset();
        spread_.reset();
        emit changed();
    }
    if (running_ && (!request || !(*running_ == *request))) {
        cancel_->store(true);  // its end starts the current one
        return;
    }
    if (request && !shownRequest_ && !running_) {
        start(*request);
    }
}

void SpreadRunner::start(const evaluation::SpreadRequest& request) {
    running_ = request;
    cancel_ = std::make_shared<std::atomic<bool>>(false);
    worker_ = std::thread([this, request, cancel = cancel_] {
        lowerCallingThreadPriority(kBackgroundWorkNiceness);
        std::optional<evaluation::Spread> spread =
            evaluation::computeSpread(request, kHomes, cancel.get());
        QMetaObject::invokeMethod(
            this, [this, spread = std::move(spread)] { done(spread); }, Qt::QueuedConnection);
    });
}

void SpreadRunner::done(std::optional<evaluation::Spread> spread) {
    worker_.join();
    const std::optional<evaluation::SpreadRequest> request = std::move(running_);
    running_.reset();
    if (spread && request && !cancel_->load()) {
        shownRequest_ = request;
        spread_ = std::move(spread);
        emit changed();
    }
    update();  // an input that changed meanwhile
}

}  // namespace lumetra
