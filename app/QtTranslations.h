// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QCoreApplication;

namespace lumetra {

// Makes Qt's own texts German (the file dialogs, the standard buttons of message boxes)
// whatever the system's locale is, since the whole program speaks German, and makes German the
// default locale of Qt's widgets (dates and sizes in the file dialogs). Returns false when
// Qt's German translation is not installed; Qt's texts then stay English.
bool installGermanQtTranslations(QCoreApplication& application);

}  // namespace lumetra
