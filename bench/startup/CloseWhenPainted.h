// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace lumetra::bench {

// Watches the application for the first paint of a window `isWanted` accepts; once that paint
// is done, calls `then` with the window. The start-up probes end there, so that a process's
// time from its start to its end is its start-up up to the first picture.
class WhenPainted : public QObject {
  public:
    WhenPainted(std::function<bool(QWidget*)> isWanted, std::function<void(QWidget*)> then)
        : isWanted_(std::move(isWanted)), then_(std::move(then)) {
        QCoreApplication::instance()->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!done_ && event->type() == QEvent::Paint && watched->isWidgetType()) {
            auto* widget = static_cast<QWidget*>(watched);
            if (widget->isWindow() && isWanted_(widget)) {
                done_ = true;
                QTimer::singleShot(0, widget, [this, widget] { then_(widget); });
            }
        }
        return false;
    }

  private:
    std::function<bool(QWidget*)> isWanted_;
    std::function<void(QWidget*)> then_;
    bool done_ = false;
};

}  // namespace lumetra::bench
