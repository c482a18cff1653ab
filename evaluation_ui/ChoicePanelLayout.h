// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <initializer_list>

class QComboBox;
class QGroupBox;
class QPushButton;
class QWidget;

namespace lumetra {

// The layout of a panel that chooses where an input comes from ("Wetterdaten", "Datenordner"):
// "label: [choice] [button]" in its first row, the choice stretching, and under it each of
// `below` over the whole width. The label's mnemonic gives the choice the focus.
void layOutChoicePanel(QGroupBox& panel, const QString& labelText, QComboBox* choice,
                       QPushButton* button, std::initializer_list<QWidget*> below);

// A warning titled `title` over `parent` (why a chosen file or folder is not taken, or what to
// mind about it); returns when the user has read it.
void showWarning(QWidget* parent, const QString& title, const QString& message);

}  // namespace lumetra
