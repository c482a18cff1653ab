// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QGroupBox>
#include <QString>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace lumetra::evaluation {
class Evaluation;
}

namespace lumetra {

// "Datenordner": where the hourly balance's climate tables and load profile come from, the
// ones shipped with the program ("mitgeliefert") or those of a folder the user chose ("aus
// Ordner"), and every file the balance reads with its full path (the weather file's too).
class DataFolderPanel : public QGroupBox {
    Q_OBJECT

  public:
    DataFolderPanel(evaluation::Evaluation& evaluation, QWidget* parent);

    // Shows the evaluation's choice, the files in use, and why a folder is not in use.
    void refresh();
    // Takes the tables of a folder, as the folder button does once one is chosen; a folder
    // that is refused is reported in a message box and changes nothing.
    bool chooseFolder(const QString& path);

    QComboBox* choice() const { return choice_; }
    QPushButton* folderButton() const { return folderButton_; }
    QListWidget* sourceList() const { return sources_; }
    QLabel* noteLabel() const { return note_; }

  signals:
    void inputsEdited();

  private:
    void choiceChanged(int index);
    void askForFolder();

    evaluation::Evaluation& evaluation_;
    QComboBox* choice_ = nullptr;
    QPushButton* folderButton_ = nullptr;
    QListWidget* sources_ = nullptr;
    QLabel* note_ = nullptr;
};

}  // namespace lumetra
