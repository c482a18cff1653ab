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

// "Wetterdaten": the hourly balance's weather year, "synthetisch" (from the main window's
// "Globalstrahlung") or "aus Datei" (a PVGIS typical year as CSV or JSON, or an EPW file),
// the file's name, a warning when it lies far from the site or could not be read, and the
// year's irradiation beside the main window's "Globalstrahlung".
class WeatherPanel : public QGroupBox {
    Q_OBJECT

  public:
    WeatherPanel(evaluation::Evaluation& evaluation, QWidget* parent);

    // Shows the evaluation's choice and figures.
    void refresh();
    // Takes the year of a file, as the file button does once a file is chosen; a file that
    // cannot be read is reported in a message box and changes nothing.
    bool importFile(const QString& path);

    QComboBox* choice() const { return choice_; }
    QPushButton* fileButton() const { return fileButton_; }
    QLabel* irradiationLabel() const { return irradiation_; }
    QLabel* noteLabel() const { return note_; }

  signals:
    void inputsEdited();

  private:
    void choiceChanged(int index);
    void chooseFile();

    evaluation::Evaluation& evaluation_;
    QComboBox* choice_ = nullptr;
    QPushButton* fileButton_ = nullptr;
    QLabel* irradiation_ = nullptr;
    QLabel* note_ = nullptr;
};

}  // namespace lumetra
