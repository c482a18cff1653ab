// SPDX-License-Identifier: GPL-3.0-or-later
#include "TreeListTestSupport.h"

#include <QTest>

#include "test_support_qt/Patience.h"

namespace lumetra::test {

void TreeListTest::SetUp() {
    window.resize(640, 320);
    list = new CTreeListCtrl;
    ASSERT_TRUE(list->Create(WS_EX_CLIENTEDGE,
                             TVS_EDITLABELS | TVS_FULLROWSELECT | WS_TABSTOP | WS_VISIBLE,
                             QRect(10, 10, 600, 240), &window, 13425));
    list->SetExtendedStyle(0, 0x408F0000);
    list->InsertColumn(0, QString(), TLCFMT_LEFT, 0);
    const char* headers[] = {"Breite",      "Höhe",   "Fläche",
                             "Ausrichtung", "Winkel", "Leistung (peek)"};
    for (int c = 1; c <= 6; ++c) {
        list->InsertColumn(c, QString::fromUtf8(headers[c - 1]), TLCFMT_RIGHT, -40);
    }
    list->InsertColumn(7, QStringLiteral("Ertrag"), TLCFMT_RIGHT, -60);
    list->SetColumn(0, true, 0);
    list->SetExtendedStyle(0,
                           TLXS_GRIDLINES | TLXS_ALTERNATEROWS | TLXS_CELLFOCUS | TLXS_CTRLHOMEEND);
    for (int c = 1; c <= 3; ++c) {
        list->SetCellEditor(c, EditorEditBox, 0x06);
    }
    list->SetCellEditor(4, EditorDropDown, 0x8E, kDirectionList);
    list->SetCellEditor(5, EditorDropDown, 0x8E, kTiltList);
    list->setEndLabelEditHandler([this](const TreeListEndEdit& edit) {
        EndEditRecord record{edit.item, edit.column, std::nullopt, edit.mask};
        if (edit.text != nullptr) {
            record.text = *edit.text;
        }
        endEdits.push_back(record);
        return answer;
    });
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window, kPatienceMs));
}

HTREEITEM TreeListTest::addRow(const std::vector<QString>& texts) {
    const HTREEITEM item = list->InsertItem(QString(), TVI_ROOT, TVI_LAST);
    for (size_t c = 0; c < texts.size(); ++c) {
        list->SetItemText(item, static_cast<int>(c) + 1, texts[c]);
    }
    return item;
}

QPoint TreeListTest::cellCentre(HTREEITEM item, int column) const {
    const QRect cell = list->GetCellRect(item, column);
    EXPECT_FALSE(cell.isEmpty()) << "no cell at column " << column;
    return list->viewport()->mapFrom(list, cell.center());
}

void TreeListTest::click(HTREEITEM item, int column, Qt::MouseButton button) {
    QTest::mouseClick(list->viewport(), button, Qt::NoModifier, cellCentre(item, column));
}

void TreeListTest::doubleClick(HTREEITEM item, int column) {
    const QPoint at = cellCentre(item, column);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
}

void TreeListTest::setViewportWidth(int width) {
    list->resize(list->width() + width - list->viewport()->width(), list->height());
}

}  // namespace lumetra::test
