// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QGroupBox>
#include <QString>

class QComboBox;
class QLabel;
class QPushButton;

namespace lumetra::evaluation {
class Evaluation;
}

namespace lumetra {

// "Lastprofil Haushalt": the household electricity's course over the year in the hourly
// balance, a simulated single home ("Einzelhaushalt (simuliert)", the default), the standard
// load profile ("Standardlastprofil (BDEW H25)") or a measured year ("Gemessen (Datei)").
// "Anderer Haushalt" moves on to another simulated home of the same size and consumption and
// names it beside the button; "Datei..." imports a measured year through the import dialog.
// Under them the measured file in use, or why it is not.
class HouseholdPanel : public QGroupBox {
    Q_OBJECT

  public:
    HouseholdPanel(evaluation::Evaluation& evaluation, QWidget* parent);

    // Shows the evaluation's choice.
    void refresh();
    // Reads a measured file and asks how to take it (the import dialog); takes it when the
    // dialog is confirmed. A file that cannot be read is reported in one message box and
    // changes nothing. Returns whether the measured year was taken.
    bool importFile(const QString& path);

    QComboBox* choice() const { return choice_; }
    QPushButton* otherHomeButton() const { return otherHome_; }
    QPushButton* fileButton() const { return fileButton_; }
    // Which simulated home is in use (empty for the other profiles).
    QLabel* homeLabel() const { return home_; }
    // The measured file in use, or why it is not.
    QLabel* noteLabel() const { return note_; }

  signals:
    void inputsEdited();

  private:
    void choiceChanged(int index);
    void nextHome();
    void chooseFile();

    evaluation::Evaluation& evaluation_;
    QComboBox* choice_ = nullptr;
    QPushButton* otherHome_ = nullptr;
    QPushButton* fileButton_ = nullptr;
    QLabel* home_ = nullptr;
    QLabel* note_ = nullptr;
};

}  // namespace lumetra
