// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <thread>

#include "evaluation/Spread.h"

namespace lumetra::evaluation {
class Evaluation;
}

namespace lumetra {

// The spread of the simulated homes (evaluation::computeSpread), computed on a thread of its
// own so that the window never waits for it. Only while the household is the simulated home:
// a standard or measured profile has no spread. One run at a time; an input that changes
// meanwhile stops the run and is computed after it.
class SpreadRunner : public QObject {
    Q_OBJECT

  public:
    // How many homes the spread is taken over.
    static constexpr int kHomes = evaluation::kSpreadHomes;

    SpreadRunner(const evaluation::Evaluation& evaluation, QObject* parent);
    ~SpreadRunner() override;

    // Follows the evaluation's current input: starts its spread when it has none yet, drops a
    // spread of another input.
    void update();

    // The spread of the evaluation's current input; nothing while it is computed, and when the
    // household is not the simulated home.
    const evaluation::Spread* spread() const { return spread_ ? &*spread_ : nullptr; }
    bool isComputing() const { return worker_.joinable(); }

  signals:
    // The spread came, or went.
    void changed();

  private:
    void start(const evaluation::SpreadRequest& request);
    void done(std::optional<evaluation::Spread> spread);

    const evaluation::Evaluation& evaluation_;
    std::thread worker_;
    std::shared_ptr<std::atomic<bool>> cancel_;
    // What the run under way computes, and what the spread there was computed for.
    std::optional<evaluation::SpreadRequest> running_;
    std::optional<evaluation::SpreadRequest> shownRequest_;
    std::optional<evaluation::Spread> spread_;
};

}  // namespace lumetra
