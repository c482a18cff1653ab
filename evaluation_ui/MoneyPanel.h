// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include "evaluation/EvaluationInputs.h"

class QChartView;
class QDoubleSpinBox;
class QTableWidget;

namespace lumetra::evaluation {
class Evaluation;
}

namespace lumetra {

class InputForm;

// "Wirtschaftlichkeit": the Auswertung's money inputs and prices, the results of both models
// (investment, saving, payback, net present value, cost per kWh), the cumulative cash flow
// chart and the money table year by year.
class MoneyPanel : public QWidget {
    Q_OBJECT

  public:
    MoneyPanel(evaluation::Evaluation& evaluation, QWidget* parent);

    // Puts the evaluation's inputs into the editors (after a data file was loaded).
    void showInputs();
    // Shows the evaluation's current results.
    void refresh();

    InputForm* inputs() const { return form_; }
    QDoubleSpinBox* editor(evaluation::InputId id) const;
    QChartView* chartView() const { return chartView_; }
    QTableWidget* resultTable() const { return results_; }
    QTableWidget* yearTable() const { return years_; }

  signals:
    void inputsEdited();

  private:
    void fitResults();

    evaluation::Evaluation& evaluation_;
    InputForm* form_ = nullptr;
    QTableWidget* results_ = nullptr;
    QTableWidget* years_ = nullptr;
    QChartView* chartView_ = nullptr;
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
inline constexpr int kMoneyTableColumns = 8;
QString moneyTableCell(const evaluation::Evaluation& evaluation, int yearRow, int column);

}  // namespace lumetra
