// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/InfoDialogs.h"

#include <QDialog>
#include <QMenu>

#include "app/AboutInformation.h"
#include "app/DialogBuilder.h"
#include "app/DialogLayout.h"

namespace lumetra {

namespace {

QString qText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void runModal(std::unique_ptr<QDialog> dialog) {
    dialog->exec();
}

}  // namespace

std::unique_ptr<QDialog> createAboutBox(QWidget* parent) {
    auto dialog = std::make_unique<QDialog>(parent);
    buildSmallDialog(*dialog, kAboutDialog, kAboutControls);
    addAboutInformation(*dialog);
    return dialog;
}

std::unique_ptr<QDialog> createLegendDialog(QWidget* parent) {
    auto dialog = std::make_unique<QDialog>(parent);
    buildSmallDialog(*dialog, kLegendDialog, kLegendControls);
    return dialog;
}

void fillSystemMenu(QMenu& menu, QWidget* owner) {
    menu.addSeparator();
    menu.addAction(qText(kAboutMenuText), owner, [owner] { runModal(createAboutBox(owner)); });
    menu.addAction(qText(kLegendMenuText), owner, [owner] { runModal(createLegendDialog(owner)); });
}

void showSystemMenu(QWidget* owner, const QPoint& globalPos) {
    QMenu menu(owner);
    fillSystemMenu(menu, owner);
    menu.exec(globalPos);
}

void fillDeleteRowMenu(QMenu& menu, bool enabled, std::function<void()> onDelete) {
    QAction* action = menu.addAction(QStringLiteral("Zeile löschen"));
    action->setEnabled(enabled);
    QObject::connect(action, &QAction::triggered, &menu,
                     [onDelete = std::move(onDelete)] { onDelete(); });
}

void showDeleteRowMenu(QWidget* owner, const QPoint& globalPos, bool enabled,
                       std::function<void()> onDelete) {
    QMenu menu(owner);
    fillDeleteRowMenu(menu, enabled, std::move(onDelete));
    menu.exec(globalPos);
}

}  // namespace lumetra
