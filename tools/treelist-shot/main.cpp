// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the tree-list control as the main dialog sets it up, with a few rows, an out-of-range
// cell on its pale red background and the drop-down editor of a direction cell open, and
// writes the picture to a PNG (first argument, default /tmp/treelist-shot.png). Run it on the
// offscreen platform; QT_SCALE_FACTOR=2 shows the high-DPI drawing.
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QPainter>
#include <QPixmap>

#include <vector>

#include "app/TreeListTable.h"
#include "widgets/treelist/CTreeListCtrl.h"

using namespace lumetra;

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QString target =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp/treelist-shot.png");
    QWidget window;
    window.resize(640, 220);
    auto* list = new CTreeListCtrl;
    list->Create(WS_EX_CLIENTEDGE, TVS_EDITLABELS | TVS_FULLROWSELECT | WS_TABSTOP | WS_VISIBLE,
                 QRect(10, 10, 620, 200), &window, 13425);
    setUpModuleFieldColumns(*list);

    const char* rows[][7] = {
        {"5.00 m ", "2.00 m ", "10.00 m² ", "0 ° ", "30 ° ", "1 985 Wp ", "2 140.3 kWh "},
        {"4.20 m ", "3.10 m ", "13.02 m² ", "-90 ° ", "95 ° ", "2 584 Wp ", "1 512.8 kWh "},
        {"1 250.00 m ", "2.00 m ", "2 500.00 m² ", "90 ° ", "45 ° ", "496 250 Wp ",
         "431 870.6 kWh "},
    };
    std::vector<HTREEITEM> items;
    for (const auto& texts : rows) {
        items.push_back(list->InsertItem(QString()));
        for (int c = 0; c < 7; ++c) {
            list->SetItemText(items.back(), c + 1, QString::fromUtf8(texts[c]));
        }
    }
    list->InsertItem(QString());  // the empty row at the end
    list->SetCellBkColor(items[1], 5, treeListRgb(255, 233, 233));
    list->SetCellBkColor(items[2], 1, treeListRgb(255, 244, 244));
    window.show();
    window.activateWindow();
    list->SetFocusCell(items[0], 4);
    // A second argument "focus" leaves the editor closed, to show the focused cell.
    const bool withEditor = argc < 3 || QString::fromLocal8Bit(argv[2]) != QStringLiteral("focus");
    if (withEditor) {
        list->EditLabel(items[0], 4);
    } else {
        list->setFocus();
    }
    auto* combo = qobject_cast<QComboBox*>(list->GetEditControl());
    if (combo != nullptr) {
        combo->showPopup();
    }
    QApplication::processEvents();

    QPixmap picture = window.grab();
    if (combo != nullptr && combo->view()->window()->isVisible()) {
        QWidget* popup = combo->view()->window();
        const QPixmap popupPicture = popup->grab();
        const QPoint at = window.mapFromGlobal(popup->mapToGlobal(QPoint(0, 0)));
        QPixmap composed(picture.size().expandedTo((QSize(at.x(), at.y()) + popup->size()) *
                                                   picture.devicePixelRatio()));
        composed.setDevicePixelRatio(picture.devicePixelRatio());
        composed.fill(Qt::white);
        QPainter painter(&composed);
        painter.drawPixmap(0, 0, picture);
        painter.drawPixmap(at, popupPicture);
        painter.end();
        picture = composed;
    }
    return picture.save(target) ? 0 : 1;
}
