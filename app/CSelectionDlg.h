// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QString>

#include <vector>

class QComboBox;
class QLabel;
class QPushButton;

namespace lumetra {

// Control ids of the selection dialog.
inline constexpr int kSelectionLabelId = 1131;
inline constexpr int kSelectionListId = 1132;

// A small modal dialog that offers a list of entries in a drop-down list that takes no typing
// and returns the one the user confirms with "OK". Each entry is a text and an integer; the
// list shows them in the order they were added. The caption is "Auswahl" unless set.
class CSelectionDlg : public QDialog {
    Q_OBJECT

  public:
    explicit CSelectionDlg(QWidget* parent = nullptr);

    // An empty text keeps the current caption or label.
    void setCaption(const QString& caption);
    void setLabel(const QString& label);

    // Appends an entry at the end of the list.
    void addEntry(const QString& text, int value);

    // The entry shown when the dialog opens; an index outside the entries selects the first.
    void setSelectedIndex(int index);

    // Runs the dialog modally; true when the user left it with "OK". The chosen entry is then
    // available below; otherwise the previous choice is kept.
    bool runModal();

    int chosenIndex() const { return chosenIndex_; }  // -1 before the first "OK"
    QString chosenText() const { return chosenText_; }
    int chosenValue() const { return chosenValue_; }

    QComboBox* list() const { return list_; }
    QLabel* label() const { return label_; }
    QPushButton* okButton() const { return okButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    struct Entry {
        QString text;
        int value = 0;
    };

    void fillList();
    void takeChoice();

    QLabel* label_ = nullptr;
    QComboBox* list_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    std::vector<Entry> entries_;
    int selectedIndex_ = -1;
    int chosenIndex_ = -1;
    QString chosenText_;
    int chosenValue_ = 0;
};

}  // namespace lumetra
