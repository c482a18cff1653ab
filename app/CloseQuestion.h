// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace lumetra {

enum class CloseAnswer { Save, Discard, Cancel };

// The question before the window closes with unsaved changes: «Sollen die Änderungen
// gespeichert werden?» with "Speichern" (the default), "Verwerfen" and "Abbrechen". Escape
// and the box's close button answer "Abbrechen".
CloseAnswer askToSaveChanges(QWidget* parent);

}  // namespace lumetra
