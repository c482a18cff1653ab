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
    if (window.isVisible()) {
        const QRect outer = window.frameGeometry();
        const QRect inner = window.geometry();
        return {inner.left() - outer.left(), inner.top() - outer.top(),
                outer.right() - inner.right(), outer.bottom() - inner.bottom()};
    }
    const QStyle* style = window.style();
    const int border = std::max(style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth), 4);
    const int titleBar = std::max(style->pixelMetric(QStyle::PM_TitleBarHeight), 24);
    return {border, titleBar + border, border, border};
}

QSize clientAreaWithin(QRect available, QMargins frame) {
    return {available.width() - frame.left() - frame.right(),
            available.height() - frame.top() - frame.bottom()};
}

}  // namespace lumetra
