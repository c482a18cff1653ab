// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QDialog;
class QTextBrowser;

namespace lumetra {

// What "Info über Lumetra" shows under its template's content: the version, the licence and
// the attributions of the data that come with the program, as HTML with the addresses as links.
QString aboutInformationHtml();

// Adds that text to `aboutBox` in a read-only, scrolling field under the template's content,
// which keeps its size and places; the box grows by the field. Returns the field.
QTextBrowser* addAboutInformation(QDialog& aboutBox);

}  // namespace lumetra
