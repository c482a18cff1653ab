// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ControlIds.h"

#include <QString>
#include <QWidget>

namespace lumetra {

void setControlId(QWidget* widget, int id) {
    widget->setObjectName(QString::number(id));
}

int controlId(const QWidget* widget) {
    if (widget == nullptr) {
        return 0;
    }
    // A name that is not a number (a widget of our own additions) reads as no id.
    bool isNumber = false;
    const int id = widget->objectName().toInt(&isNumber);
    return isNumber ? id : 0;
}

QWidget* findControl(const QWidget* dialog, int id) {
    return dialog->findChild<QWidget*>(QString::number(id));
}

}  // namespace lumetra
