// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCheckBox>

namespace lumetra {

// A "Vorgabe" box. A click does not toggle it by itself: the calculator decides the mark of
// every box after the click and sets it, so the box always shows the calculator's state.
class PresetBox : public QCheckBox {
    Q_OBJECT

  public:
    using QCheckBox::QCheckBox;

  protected:
    void nextCheckState() override {}
};

}  // namespace lumetra
