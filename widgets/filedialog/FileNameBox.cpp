// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/filedialog/FileNameBox.h"

#include <QLineEdit>
#include <QSignalBlocker>

namespace lumetra {

FileNameBox::FileNameBox(QWidget* parent) : QComboBox(parent) {
    setInsertPolicy(QComboBox::NoInsert);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(8);
    setDuplicatesEnabled(true);
    connect(this, &QComboBox::activated, this, &FileNameBox::entryActivated);
}

void FileNameBox::setHistory(const QStringList& history) {
    QLineEdit* editor = lineEdit();
    if (editor == nullptr) {
        const QSignalBlocker blocker(this);
        clear();
        addItems(history);
        setCurrentIndex(-1);
        return;
    }
    // Refilling the list puts entries into the editor for a moment. The dialog reading the
    // editor must not see them: it would select those folders in its file list.
    const QString text = editor->text();
    const int cursor = editor->cursorPosition();
    const QSignalBlocker boxBlocker(this);
    const QSignalBlocker editorBlocker(editor);
    clear();
    addItems(history);
    setCurrentIndex(-1);
    editor->setText(text);
    editor->setCursorPosition(cursor);
}

QStringList FileNameBox::history() const {
    QStringList entries;
    for (int i = 0; i < count(); ++i) {
        entries.append(itemText(i));
    }
    return entries;
}

void FileNameBox::showPopup() {
    emit historyOpening();
    choosingFromList_ = true;
    QComboBox::showPopup();
}

void FileNameBox::hidePopup() {
    QComboBox::hidePopup();
    // The box reports the chosen entry right after closing its list; the flag lives until then.
    QMetaObject::invokeMethod(
        this, [this] { choosingFromList_ = false; }, Qt::QueuedConnection);
}

void FileNameBox::entryActivated(int index) {
    if (!choosingFromList_ || index < 0) {
        return;
    }
    choosingFromList_ = false;
    emit historyChosen(itemText(index));
}

}  // namespace lumetra
