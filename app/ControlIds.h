// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace lumetra {

// Every control of our dialogs carries its control id as its objectName, in decimal ("1000"),
// and as the dynamic property "controlId" (an int). Controls without an id carry neither.
void setControlId(QWidget* widget, int id);

// The control id of a widget, 0 when it has none.
int controlId(const QWidget* widget);

// The descendant of `dialog` with the id, or null.
QWidget* findControl(const QWidget* dialog, int id);

}  // namespace lumetra
