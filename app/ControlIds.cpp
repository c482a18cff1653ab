// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ControlIds.h"

#include <QString>
#include <QVariant>
#include <QWidget>

namespace lumetra {

namespace {
constexpr const char* kControlIdProperty = "controlId";
}

void setControlId(QWidget* widget, int id) {
    widget->setObjectName(QString::number(id));
    widget->setProperty(kControlIdProperty, id);
}

int controlId(const QWidget* widget) {
    if (widget == nullptr) {
        return 0;
    }
    const QVariant id = widget->property(kControlIdProperty);
    return id.isValid() ? id.toInt() : 0;
}

QWidget* findControl(const QWidget* dialog, int id) {
    return dialog->findChild<QWidget*>(QString::number(id));
}

}  // namespace lumetra
