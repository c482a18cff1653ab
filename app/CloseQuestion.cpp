// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CloseQuestion.h"

#include <QMessageBox>
#include <QPushButton>

namespace lumetra {

CloseAnswer askToSaveChanges(QWidget* parent) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Lumetra"),
                    QStringLiteral("Sollen die Änderungen gespeichert werden?"),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setTextFormat(Qt::PlainText);
    // The texts are set here, so that they are German also without Qt's translations.
    box.button(QMessageBox::Save)->setText(QStringLiteral("Speichern"));
    box.button(QMessageBox::Discard)->setText(QStringLiteral("Verwerfen"));
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
        case QMessageBox::Save:
            return CloseAnswer::Save;
        case QMessageBox::Discard:
            return CloseAnswer::Discard;
        default:
            return CloseAnswer::Cancel;
    }
}

}  // namespace lumetra
