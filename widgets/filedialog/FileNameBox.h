// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The file-name box of an extended file dialog: an editable drop-down box whose list holds the
// folder history. Its editor is the dialog's own file-name editor, so the dialog goes on
// reading and writing the typed name exactly as before.

#include <QComboBox>
#include <QStringList>

namespace lumetra {

class FileNameBox : public QComboBox {
    Q_OBJECT

  public:
    explicit FileNameBox(QWidget* parent = nullptr);

    // Replaces the history entries; the typed text stays as it is.
    void setHistory(const QStringList& history);
    QStringList history() const;

    void showPopup() override;
    void hidePopup() override;

  signals:
    // The history list is about to open.
    void historyOpening();
    // An entry was chosen in the open history list (not by arrow keys or the wheel on the
    // closed box).
    void historyChosen(const QString& entry);

  private:
    void entryActivated(int index);

    bool choosingFromList_{false};
};

}  // namespace lumetra
