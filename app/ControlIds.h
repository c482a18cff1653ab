// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace lumetra {

// Every control of our dialogs carries its control id as its objectName, in decimal ("1000").
// Controls without an id have no name or one that is not a number. (A dynamic property would
// cost a lookup of the property's name for each of the main dialog's 84 controls at start-up.)
void setControlId(QWidget* widget, int id);

// The control id of a widget, 0 when it has none.
int controlId(const QWidget* widget);

// The descendant of `dialog` with the id, or null.
QWidget* findControl(const QWidget* dialog, int id);

}  // namespace lumetra
