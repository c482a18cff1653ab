// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/screenfit/WindowFrame.h"

#include <QStyle>
#include <QWidget>

#include <algorithm>

namespace lumetra {

bool fitsScreen(QSize client, QMargins frame, QSize available) {
    return client.width() + frame.left() + frame.right() <= available.width() &&
           client.height() + frame.top() + frame.bottom() <= available.height();
}

QMargins windowFrameOf(const QWidget& window) {
    const QRect outer = window.frameGeometry();
    const QRect inner = window.geometry();
    // Before the window manager has framed the window, both are the same.
    if (window.isVisible() && outer != inner) {
        return {inner.left() - outer.left(), inner.top() - outer.top(),
                outer.right() - inner.right(), outer.bottom() - inner.bottom()};
    }
    // Window managers draw title bars of 24 to 40 pixels: the estimate errs on the large side.
    const QStyle* style = window.style();
    const int border = std::max(style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth), 4);
    const int titleBar = std::max(style->pixelMetric(QStyle::PM_TitleBarHeight), 36);
    return {border, titleBar + border, border, border};
}

QSize clientAreaWithin(QRect available, QMargins frame) {
    return {available.width() - frame.left() - frame.right(),
            available.height() - frame.top() - frame.bottom()};
}

QRect fittedWithin(QRect client, QMargins frame, QSize minimum, QRect available) {
    client.setSize(client.size().boundedTo(clientAreaWithin(available, frame)).expandedTo(minimum));
    const QRect outer = client.marginsAdded(frame);
    const int x =
        std::max(available.left(), std::min(outer.left(), available.right() + 1 - outer.width()));
    const int y =
        std::max(available.top(), std::min(outer.top(), available.bottom() + 1 - outer.height()));
    client.moveTo(x + frame.left(), y + frame.top());
    return client;
}

}  // namespace lumetra
