// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ScreenFit.h"

#include <QDialog>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

#include "widgets/screenfit/WindowFrame.h"

namespace lumetra {

QScrollArea* fitDialogToScreen(QDialog& dialog) {
    const QScreen* screen = dialog.screen();
    if (screen == nullptr) {
        return nullptr;
    }
    const QRect available = screen->availableGeometry();
    const QSize content = dialog.size();
    const QMargins frame = windowFrameOf(dialog);
    if (fitsScreen(content, frame, available.size())) {
        return nullptr;
    }

    // Every control moves into one widget of the template's size; their places, sizes, order
    // and visibility stay as they are. Moving a widget puts it last in the tab order, so the
    // order is taken first and given back afterwards.
    QList<QWidget*> tabOrder;
    for (QWidget* next = dialog.nextInFocusChain(); next != &dialog;
         next = next->nextInFocusChain()) {
        if ((next->focusPolicy() & Qt::TabFocus) != 0) {
            tabOrder.append(next);
        }
    }
    auto* inner = new QWidget;
    inner->setObjectName(QStringLiteral("dialogContent"));
    inner->setFixedSize(content);
    const QList<QWidget*> controls =
        dialog.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    for (QWidget* control : controls) {
        if (control->isWindow()) {
            continue;
        }
        const bool hidden = control->isHidden();
        const QRect geometry = control->geometry();
        control->setParent(inner);
        control->setGeometry(geometry);
        control->setHidden(hidden);
    }

    for (qsizetype i = 1; i < tabOrder.size(); ++i) {
        QWidget::setTabOrder(tabOrder[i - 1], tabOrder[i]);
    }

    auto* scroll = new QScrollArea(&dialog);
    scroll->setObjectName(QStringLiteral("dialogScrollArea"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setWidget(inner);
    auto* layout = new QVBoxLayout(&dialog);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);

    // As large as the contents with both scroll bars, at most what the screen offers.
    const int bar = scroll->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const QSize largest(content.width() + bar, content.height() + bar);
    const QSize fitting = clientAreaWithin(available, frame);
    dialog.setMinimumSize(std::min(320, fitting.width()), std::min(240, fitting.height()));
    dialog.setMaximumSize(largest);
    dialog.resize(largest.boundedTo(fitting));
    dialog.move(available.left() + std::max(0, (fitting.width() - dialog.width()) / 2),
                available.top());
    return scroll;
}

}  // namespace lumetra
