// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Plays a user's part in the modal dialogs that an action opens: each step waits for the
// modal dialog of its class to come up and then types into it and presses its buttons. The
// dialogs are found as the application's active modal widget, never by window focus. Keep one
// driver alive at a time: a driver whose steps are used up closes any further dialog.

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <deque>
#include <functional>
#include <utility>

#include "test_support_qt/Patience.h"

namespace lumetra::test {

class ModalDriver {
  public:
    ModalDriver() {
        clock_.start();
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] { poll(); });
        timer_.start();
    }

    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;

    // Queues a step for the next modal dialog, which must be a `Dialog`. The step must close it.
    template <typename Dialog, typename Step>
    ModalDriver& then(Step step) {
        steps_.push_back([step](QWidget* widget) {
            auto* dialog = qobject_cast<Dialog*>(widget);
            if (dialog == nullptr) {
                return false;
            }
            step(dialog);
            return true;
        });
        return *this;
    }

    // Whether every step ran and no other dialog came up.
    bool done() const { return steps_.empty() && failure_.isEmpty(); }
    const QString& failure() const { return failure_; }

  private:
    void poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != nullptr && modal == handled_ && handledAt_.elapsed() > kPatienceMs) {
            failure_ = QStringLiteral("a step left its dialog open");
            closeDialog(modal);
            return;
        }
        if (modal == nullptr || !modal->isVisible() || modal == handled_) {
            if (!steps_.empty() && clock_.elapsed() > kPatienceMs) {
                failure_ = QStringLiteral("the expected dialog never came up");
                steps_.clear();
            }
            return;
        }
        if (!steps_.empty()) {
            auto step = std::move(steps_.front());
            steps_.pop_front();
            handled_ = modal;
            handledAt_.start();
            if (step(modal)) {
                return;
            }
            failure_ = QStringLiteral("unexpected dialog: ") + modal->metaObject()->className() +
                       QStringLiteral(" \"") + modal->windowTitle() + QLatin1Char('"');
        } else if (failure_.isEmpty()) {
            failure_ = QStringLiteral("a dialog too many: ") + modal->metaObject()->className() +
                       QStringLiteral(" \"") + modal->windowTitle() + QLatin1Char('"');
        }
        // Never leave a test hanging in a dialog nobody answers.
        steps_.clear();
        handled_ = modal;
        handledAt_.start();
        closeDialog(modal);
    }

    static void closeDialog(QWidget* modal) {
        if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->reject();
        } else {
            modal->close();
        }
    }

    QTimer timer_;
    QElapsedTimer clock_;
    QElapsedTimer handledAt_;
    std::deque<std::function<bool(QWidget*)>> steps_;
    QPointer<QWidget> handled_;
    QString failure_;
};

}  // namespace lumetra::test
