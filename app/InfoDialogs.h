// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>

#include <functional>
#include <memory>

class QDialog;
class QMenu;
class QWidget;

namespace lumetra {

// The about box ("Info über Lumetra") and the legend dialog ("Beschreibung zu Lumetra"),
// built from their templates; "OK" closes them. Under its template's content the about box
// shows the version, the licence and the data's attributions.
std::unique_ptr<QDialog> createAboutBox(QWidget* parent);
std::unique_ptr<QDialog> createLegendDialog(QWidget* parent);

// Fills `menu` with the main dialog's system-menu entries: a separator, "Inf&o über
// Lumetra..." (the about box) and "Informationen" (the legend dialog), both run modally over
// `owner`.
void fillSystemMenu(QMenu& menu, QWidget* owner);
void showSystemMenu(QWidget* owner, const QPoint& globalPos);

// The module-field table's context menu: the single entry "Zeile löschen", greyed unless
// `enabled`; choosing it runs `onDelete`.
void fillDeleteRowMenu(QMenu& menu, bool enabled, std::function<void()> onDelete);
void showDeleteRowMenu(QWidget* owner, const QPoint& globalPos, bool enabled,
                       std::function<void()> onDelete);

}  // namespace lumetra
