// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/gui/BareDialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

namespace lumetra::bench {

namespace {

QString textOr(const QStringList& texts, qsizetype index, const QString& placeholder) {
    return index < texts.size() ? texts[index] : placeholder;
}

}  // namespace

// The main dialog's 184 widgets besides its table: 11 group boxes, 42 edits with 39 labels, 36
// units and 42 check boxes, 2 headings, 4 buttons, and 8 further labels for the description,
// pictures, frames and the status line.
std::unique_ptr<QDialog> bareDialog(const BareDialogContent& content) {
    auto dialog = std::make_unique<QDialog>();
    dialog->resize(1274, 774);
    for (int i = 0; i < 11; ++i) {
        (new QGroupBox(textOr(content.groupTitles, i, QStringLiteral("Gruppe")), dialog.get()))
            ->setGeometry(8, 8 + i * 70, 890, 60);
    }
    for (int i = 0; i < 42; ++i) {
        const int x = (i % 2) * 440;
        const int y = 20 + (i / 2) * 36;
        if (i < 39) {
            (new QLabel(textOr(content.labels, i, QStringLiteral("Beschriftung :")), dialog.get()))
                ->setGeometry(x + 20, y, 130, 16);
        }
        auto* edit = new QLineEdit(QStringLiteral("1 234"), dialog.get());
        edit->setAlignment(Qt::AlignRight);
        edit->setGeometry(x + 165, y, 120, 24);
        if (i < 36) {
            (new QLabel(textOr(content.units, i, QStringLiteral("kWh")), dialog.get()))
                ->setGeometry(x + 295, y, 40, 16);
        }
        (new QCheckBox(QStringLiteral("Vorgabe"), dialog.get()))->setGeometry(x + 345, y, 90, 18);
    }
    for (int i = 0; i < 2; ++i) {
        (new QLabel(QStringLiteral("kWh"), dialog.get()))->setGeometry(910 + i * 100, 400, 60, 16);
    }
    for (int i = 0; i < 4; ++i) {
        (new QPushButton(QStringLiteral("Knopf"), dialog.get()))
            ->setGeometry(910 + i * 88, 740, 80, 24);
    }
    for (int i = 0; i < 8; ++i) {
        (new QLabel(dialog.get()))->setGeometry(910, 20 + i * 40, 340, 30);
    }
    if (content.table) {
        auto* table = new QTableWidget(2, 7, dialog.get());
        table->setHorizontalHeaderLabels({QStringLiteral("Breite"), QStringLiteral("Höhe"),
                                          QStringLiteral("Fläche"), QStringLiteral("Ausrichtung"),
                                          QStringLiteral("Winkel"), QStringLiteral("Leistung"),
                                          QStringLiteral("Ertrag")});
        table->setGeometry(910, 420, 350, 160);
    }
    return dialog;
}

}  // namespace lumetra::bench
