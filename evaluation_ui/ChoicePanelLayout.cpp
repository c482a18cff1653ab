// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation_ui/ChoicePanelLayout.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

namespace lumetra {

void layOutChoicePanel(QGroupBox& panel, const QString& labelText, QComboBox* choice,
                       QPushButton* button, std::initializer_list<QWidget*> below) {
    auto* label = new QLabel(labelText, &panel);
    label->setBuddy(choice);
    auto* layout = new QGridLayout(&panel);
    layout->addWidget(label, 0, 0);
    layout->addWidget(choice, 0, 1);
    layout->addWidget(button, 0, 2);
    int row = 1;
    for (QWidget* widget : below) {
        layout->addWidget(widget, row++, 0, 1, 3);
    }
    layout->setColumnStretch(1, 1);
}

void showWarning(QWidget* parent, const QString& title, const QString& message) {
    QMessageBox box(QMessageBox::Warning, title, message, QMessageBox::Ok, parent);
    box.exec();
}

}  // namespace lumetra
