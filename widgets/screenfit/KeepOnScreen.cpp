// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/screenfit/KeepOnScreen.h"

#include <QBoxLayout>
#include <QEvent>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QWidget>

#include "widgets/screenfit/WindowFrame.h"

namespace lumetra {

namespace {

// Watches a window from each Show until the window system has framed it.
class ScreenKeeper : public QObject {
  public:
    explicit ScreenKeeper(QWidget& window) : QObject(&window), window_(window) {
        window.installEventFilter(this);
    }

    void scrollWhenTooLarge(QBoxLayout& layout, QWidget& content, const QString& name) {
        layout_ = &layout;
        content_ = &content;
        scrollAreaName_ = name;
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != &window_) {
            return false;
        }
        switch (event->type()) {
            case QEvent::Show:
                scrollIfTooLarge();
                watching_ = true;
                follow();
                break;
            case QEvent::Move:
            case QEvent::Resize:
                // The window manager frames a window after it was shown, and moves it then.
                if (watching_) {
                    follow();
                }
                break;
            default:
                break;
        }
        return false;
    }

  private:
    void follow() {
        if (window_.frameGeometry() != window_.geometry()) {
            watching_ = false;  // framed: from here on, where the window goes is the user's
        }
        moveOntoScreen(window_);
    }

    void scrollIfTooLarge() {
        QWidget* content = content_;
        content_ = nullptr;  // decided once, at the first showing
        const QScreen* screen = window_.screen();
        if (content == nullptr || layout_ == nullptr || screen == nullptr ||
            fitsScreen(window_.minimumSizeHint(), windowFrameOf(window_),
                       screen->availableGeometry().size())) {
            return;
        }
        auto* scroll = new QScrollArea(&window_);
        scroll->setObjectName(scrollAreaName_);
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setWidgetResizable(true);
        layout_->replaceWidget(content, scroll);
        scroll->setWidget(content);
        scroll->show();
        // The window's smallest size is now that of what stays outside the scroll area.
        layout_->activate();
    }

    QWidget& window_;
    bool watching_ = false;
    QPointer<QBoxLayout> layout_;
    QPointer<QWidget> content_;
    QString scrollAreaName_;
};

}  // namespace

void keepOnScreen(QWidget& window) {
    new ScreenKeeper(window);
}

void keepOnScreen(QWidget& window, QBoxLayout& layout, QWidget& content,
                  const QString& scrollAreaName) {
    auto* keeper = new ScreenKeeper(window);
    keeper->scrollWhenTooLarge(layout, content, scrollAreaName);
}

void moveOntoScreen(QWidget& window) {
    const QScreen* screen = window.screen();
    if (screen == nullptr || window.isMaximized() || window.isFullScreen()) {
        return;
    }
    const QMargins frame = windowFrameOf(window);
    const QRect fitted =
        fittedWithin(window.geometry(), frame, window.minimumSize(), screen->availableGeometry());
    if (fitted.size() != window.size()) {
        window.resize(fitted.size());
    }
    if (fitted.topLeft() != window.geometry().topLeft()) {
        window.move(fitted.topLeft() - QPoint(frame.left(), frame.top()));  // the frame's place
    }
}

}  // namespace lumetra
