// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StaticText.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPainter>
#include <QStyle>

namespace lumetra {

namespace {

// Screen readers read the text as they read a label's.
class AccessibleStaticText : public QAccessibleWidget {
  public:
    explicit AccessibleStaticText(StaticText* text)
        : QAccessibleWidget(text, QAccessible::StaticText) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name) {
            return static_cast<const StaticText*>(widget())->text();
        }
        return QAccessibleWidget::text(kind);
    }
};

QAccessibleInterface* accessibleStaticText(const QString& className, QObject* object) {
    if (className == QLatin1String(StaticText::staticMetaObject.className())) {
        return new AccessibleStaticText(static_cast<StaticText*>(object));
    }
    return nullptr;
}

}  // namespace

StaticText::StaticText(const QString& text, Qt::Alignment alignment, QWidget* parent)
    : QWidget(parent), text_(text), alignment_(alignment) {
    static const bool accessible = [] {
        QAccessible::installFactory(&accessibleStaticText);
        return true;
    }();
    Q_UNUSED(accessible);
}

void StaticText::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    // The flags a plain-text label draws with: tabs expanded, the direction of the layout.
    const int flags = static_cast<int>(QStyle::visualAlignment(layoutDirection(), alignment_)) |
                      Qt::TextExpandTabs |
                      (layoutDirection() == Qt::LeftToRight ? Qt::TextForceLeftToRight
                                                            : Qt::TextForceRightToLeft);
    style()->drawItemText(&painter, rect(), flags, palette(), isEnabled(), text_, foregroundRole());
}

}  // namespace lumetra
