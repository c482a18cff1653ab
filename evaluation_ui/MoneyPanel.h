// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <array>

#include "evaluation/EvaluationInputs.h"

class QChartView;
class QCheckBox;
class QDoubleSpinBox;
class QTableWidget;

namespace lumetra::evaluation {
class Evaluation;
}

namespace lumetra {

// "Wirtschaftlichkeit": the Auswertung inputs (money and the hourly balance's battery), the
// results of both models (investment, saving, payback, net present value, cost per kWh), the
// cumulative cash flow chart and the money table year by year.
class MoneyPanel : public QWidget {
    Q_OBJECT

  public:
    MoneyPanel(evaluation::Evaluation& evaluation, QWidget* parent);

    // Puts the evaluation's inputs into the editors (after a data file was loaded).
    void showInputs();
    // Shows the evaluation's current results.
    void refresh();

    QDoubleSpinBox* editor(evaluation::InputId id) const;
    QCheckBox* followMainBattery() const { return followMain_; }
    QChartView* chartView() const { return chartView_; }
    QTableWidget* resultTable() const { return results_; }
    QTableWidget* yearTable() const { return years_; }

  signals:
    void inputsEdited();

  private:
    void editorChanged(evaluation::InputId id, double value);
    void followChanged(bool follow);
    void fitResults();

    evaluation::Evaluation& evaluation_;
    std::array<QDoubleSpinBox*, evaluation::kInputCount> editors_{};
    QCheckBox* followMain_ = nullptr;
    QTableWidget* results_ = nullptr;
    QTableWidget* years_ = nullptr;
    QChartView* chartView_ = nullptr;
    bool showing_ = false;
};

// The rows of the results of both models: label, hourly balance, monthly model.
struct MoneyResultRow {
    QString label;
    QString hourly;
    QString monthly;
};
QList<MoneyResultRow> moneyResultRows(const evaluation::Evaluation& evaluation);

// The money table's column titles and the text of one cell.
QStringList moneyTableHeaders();
QString moneyTableCell(const evaluation::Evaluation& evaluation, int yearRow, int column);

}  // namespace lumetra
