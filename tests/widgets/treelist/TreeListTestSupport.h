// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A window with a tree-list control set up the way the main dialog sets up its module-field
// table: a hidden tree column, six columns of weight 40 and one of weight 60, edit boxes in
// columns 1..3 and drop-down boxes with preset lists in columns 4 and 5.

#include <QPoint>
#include <QWidget>

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "widgets/treelist/CTreeListCtrl.h"

namespace lumetra::test {

// The preset lists of the fixture: null-ended arrays that outlive every control.
inline constexpr const char* kDirectionList[] = {"(Norden)\u00A0 180°", "(Westen)\u00A0  90°",
                                                 "(Süden)\u00A0 0°", nullptr};
inline constexpr const char* kTiltList[] = {"(Flachdach)\u00A0 0°", "(Normaldach)\u00A0 30°",
                                            "(Hauswand)\u00A0 90°", nullptr};

// A copy of one end-of-edit notification.
struct EndEditRecord {
    HTREEITEM item = 0;
    int column = 0;
    std::optional<QString> text;  // nullopt: the notification carried a null text
    unsigned mask = 0;
};

class TreeListTest : public ::testing::Test {
  protected:
    void SetUp() override;

    // A row appended at the end with the given texts in columns 1, 2, ...
    HTREEITEM addRow(const std::vector<QString>& texts = {});
    // The centre of a cell in viewport coordinates (where mouse events go).
    QPoint cellCentre(HTREEITEM item, int column) const;
    void click(HTREEITEM item, int column, Qt::MouseButton button = Qt::LeftButton);
    void doubleClick(HTREEITEM item, int column);
    // Resizes the control so that its rows area is exactly `width` pixels wide.
    void setViewportWidth(int width);

    QWidget window;
    CTreeListCtrl* list = nullptr;
    std::vector<EndEditRecord> endEdits;
    int answer = 0;  // what the handler answers
};

}  // namespace lumetra::test
