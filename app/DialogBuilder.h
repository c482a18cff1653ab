// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <span>

#include "app/DialogLayout.h"
#include "widgets/dialogunits/DialogUnits.h"

class QDialog;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace lumetra {

class PresetBox;

// The widgets of the main dialog that its code works with; everything else (labels, units,
// group boxes) is placed and left alone.
struct MainDialogControls {
    std::array<QLineEdit*, kQuantityCount> fields{};
    std::array<PresetBox*, kQuantityCount> boxes{};
    QLabel* description = nullptr;                // 1106
    QLabel* helpPicture = nullptr;                // 1107
    QWidget* helpArea = nullptr;                  // 1112, invisible
    QWidget* tableFrame = nullptr;                // 1109, invisible
    QWidget* chartArea = nullptr;                 // 1110, invisible
    QLabel* chartPicture = nullptr;               // 1111
    QPushButton* loadButton = nullptr;            // "Laden"
    QPushButton* saveButton = nullptr;            // "Speichern"
    QPushButton* chooseLocationButton = nullptr;  // "Ort auswählen"
    QPushButton* cancelButton = nullptr;          // "Abbrechen"
};

// Gives a dialog the dialog font, its caption, and its fixed client size in pixels; returns the
// base units its controls are placed by.
DialogBaseUnits prepareDialog(QDialog& dialog, std::string_view caption, DuRect size);

// Creates the 183 controls of the main dialog at their places, with their texts, states and
// ids, and chains the tab order.
MainDialogControls buildMainDialog(QDialog& dialog);

// Creates the controls of the about box or the legend dialog; "OK" accepts.
void buildSmallDialog(QDialog& dialog, const SmallDialogTemplate& dialogTemplate,
                      std::span<const ControlLayout> controls);

}  // namespace lumetra
