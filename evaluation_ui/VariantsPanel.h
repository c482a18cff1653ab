// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLabel;
class QTableWidget;

namespace lumetra::evaluation {
class Evaluation;
}

namespace lumetra {

// "Vergleich": the installation without a battery, with the battery of the hourly balance and
// with the battery size worth most, side by side (key figures, money, what the battery alone
// adds), and the verdict in words. The battery sizes come from a sweep computed off the window's
// thread; until it is there the panel says so.
class VariantsPanel : public QWidget {
    Q_OBJECT

  public:
    VariantsPanel(const evaluation::Evaluation& evaluation, QWidget* parent);

    // Shows the evaluation's current variants.
    void refresh();

    QTableWidget* table() const { return table_; }
    QLabel* verdict() const { return verdict_; }

  private:
    const evaluation::Evaluation& evaluation_;
    QTableWidget* table_ = nullptr;
    QLabel* verdict_ = nullptr;
};

}  // namespace lumetra
