// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation_ui/MoneyPanel.h"

#include <QChartView>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

#include "evaluation/Evaluation.h"
#include "evaluation/GermanNumber.h"
#include "evaluation/MoneyTexts.h"
#include "evaluation_ui/ChartSupport.h"
#include "evaluation_ui/Charts.h"
#include "evaluation_ui/InputForm.h"

namespace lumetra {

using evaluation::InputId;

namespace {

QString qText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString money(double euros) {
    return charts::german(euros, 0) + QStringLiteral(" Euro");
}

QString payback(const evaluation::MoneyResult& result, int years) {
    return QString::fromStdString(evaluation::paybackText(result, years));
}

QString lcoe(const evaluation::MoneyResult& result) {
    if (!result.levelizedCost_EUR_per_kWh) {
        return QString::fromUtf8(evaluation::kNoFigure.data());
    }
    return charts::german(*result.levelizedCost_EUR_per_kWh * 100, 1) + QStringLiteral(" Cent/kWh");
}

QTableWidget* makeTable(int columns, const QStringList& headers, QWidget* parent) {
    auto* table = new QTableWidget(0, columns, parent);
    table->setHorizontalHeaderLabels(headers);
    table->verticalHeader()->setVisible(false);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setFocusPolicy(Qt::NoFocus);
    // The columns take their contents' width once per refresh, not after every cell that
    // changed: measuring every cell again for each one cost milliseconds.
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    return table;
}

void setCell(QTableWidget& table, int row, int column, const QString& text, bool number) {
    auto* item = table.item(row, column);
    if (item == nullptr) {
        item = new QTableWidgetItem;
        table.setItem(row, column, item);
    }
    item->setText(text);
    item->setTextAlignment(number ? Qt::AlignRight | Qt::AlignVCenter
                                  : Qt::AlignLeft | Qt::AlignVCenter);
}

}  // namespace

QList<MoneyResultRow> moneyResultRows(const evaluation::Evaluation& evaluation) {
    const evaluation::MoneyResult& h = evaluation.hourlyMoney();
    const evaluation::MoneyResult& m = evaluation.monthlyMoney();
    const int years = evaluation.inputs().years;
    const QString none = QString::fromUtf8(evaluation::kNoFigure.data());
    const bool hasHourly = evaluation.hourlyFigures().has_value();
    const auto hourly = [&](const QString& text) { return hasHourly ? text : none; };
    return {
        {QStringLiteral("Investition"), hourly(money(h.investment_EUR)), money(m.investment_EUR)},
        {QStringLiteral("Ersparnis und Vergütung im 1. Jahr"), hourly(money(h.firstYearSaving_EUR)),
         money(m.firstYearSaving_EUR)},
        {QStringLiteral("Amortisation"), hourly(payback(h, years)), payback(m, years)},
        {QString::fromStdString(evaluation::netPresentValueLabel(years)),
         hourly(money(h.netPresentValue_EUR)), money(m.netPresentValue_EUR)},
        {QStringLiteral("Kosten je erzeugte kWh"), hourly(lcoe(h)), lcoe(m)},
    };
}

QStringList moneyTableHeaders() {
    return {QStringLiteral("Jahr"),
            QStringLiteral("Ertrag (kWh)"),
            QStringLiteral("Strompreis (Euro/kWh)"),
            QStringLiteral("Ersparnis (Euro)"),
            QStringLiteral("Betriebskosten (Euro)"),
            QStringLiteral("Speicherersatz (Euro)"),
            QStringLiteral("Zahlungsfluss (Euro)"),
            QStringLiteral("Kumuliert (Euro)")};
}

QString moneyTableCell(const evaluation::Evaluation& evaluation, int yearRow, int column) {
    const evaluation::MoneyYear& y =
        evaluation.hourlyMoney().years.at(static_cast<std::size_t>(yearRow));
    switch (column) {
        case 0:
            return QString::number(y.year);
        case 1:
            return y.year == 0 ? QString() : charts::german(y.yield_kWh, 0);
        case 2:
            return y.year == 0 ? QString() : charts::german(y.electricityPrice_EUR_per_kWh, 3);
        case 3:
            return y.year == 0 ? QString() : charts::german(y.saving_EUR, 0);
        case 4:
            return y.year == 0 ? QString() : charts::german(y.runningCost_EUR, 0);
        case 5:
            return y.year == 0 ? QString() : charts::german(y.batteryReplacement_EUR, 0);
        case 6:
            return charts::german(y.cashFlow_EUR, 0);
        case 7:
            return charts::german(y.cumulative_EUR, 0);
        default:
            return {};
    }
}

MoneyPanel::MoneyPanel(evaluation::Evaluation& evaluation, QWidget* parent)
    : QWidget(parent), evaluation_(evaluation) {
    auto* inputsBox = new QGroupBox(QStringLiteral("Annahmen"), this);
    form_ = new InputForm(
        evaluation_,
        {InputId::InvestmentPerKWp, InputId::RunningCost, InputId::PriceRise, InputId::YieldLoss,
         InputId::Years, InputId::DiscountRate, InputId::ElectricityPrice, InputId::FeedInTariff},
        inputsBox);
    connect(form_, &InputForm::inputsEdited, this, &MoneyPanel::inputsEdited);
    auto* form = new QVBoxLayout(inputsBox);
    form->addWidget(form_);
    auto* note = new QLabel(
        QStringLiteral("Richtwerte Deutschland, Stand 2025, Quellen im Bericht. Die "
                       "Vergütung bleibt über die Jahre fest; der Speicher und seine Kosten "
                       "stehen unter \"Speicher\"."),
        inputsBox);
    note->setWordWrap(true);
    // A splitter does not ask a wrapped label for its height: keep its lines in sight.
    note->setMinimumHeight(3 * note->fontMetrics().lineSpacing());
    form->addWidget(note);

    results_ = makeTable(3,
                         {QStringLiteral("Ergebnis"), qText(evaluation::kModelColumnTitles[0]),
                          qText(evaluation::kModelColumnTitles[1])},
                         this);
    results_->setObjectName(QStringLiteral("moneyResults"));
    // The results are always shown whole, each on one line: the table is as wide and as high
    // as its cells.
    results_->setWordWrap(false);
    results_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    results_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    results_->horizontalHeader()->setStretchLastSection(true);

    auto* left = new QWidget(this);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(inputsBox);
    leftLayout->addWidget(results_);
    leftLayout->addStretch(1);

    chartView_ = new QChartView(new QChart, this);
    chartView_->setObjectName(QStringLiteral("moneyChart"));
    chartView_->setRenderHint(QPainter::Antialiasing);
    chartView_->setMinimumSize(360, 260);
    charts::followPointTooltips(*chartView_);

    auto* top = new QWidget(this);
    auto* topLayout = new QHBoxLayout(top);
    topLayout->setContentsMargins(0, 0, 0, 0);
    topLayout->addWidget(left, 1);
    topLayout->addWidget(chartView_, 1);

    // The year table takes the panel's whole width, so that at the window's usual size every
    // column is in sight; each column keeps the width of its header and its widest cell, and a
    // narrower room scrolls sideways instead of squeezing or cutting them.
    QStringList headers = moneyTableHeaders();
    for (QString& header : headers) {
        header.replace(QStringLiteral(" ("), QStringLiteral("\n("));
    }
    years_ = makeTable(kMoneyTableColumns, headers, this);
    years_->setObjectName(QStringLiteral("moneyTable"));
    years_->setWordWrap(false);
    years_->setTextElideMode(Qt::ElideNone);
    years_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    years_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    years_->verticalHeader()->setDefaultSectionSize(years_->fontMetrics().height() + 8);
    years_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // The header and three years stay in sight however small the window.
    years_->setMinimumHeight(years_->horizontalHeader()->sizeHint().height() +
                             3 * years_->verticalHeader()->defaultSectionSize() +
                             years_->horizontalScrollBar()->sizeHint().height() +
                             2 * years_->frameWidth());

    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->addWidget(top);
    splitter->addWidget(years_);
    splitter->setChildrenCollapsible(false);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter);
    showInputs();
}

QDoubleSpinBox* MoneyPanel::editor(InputId id) const {
    return form_->editor(id);
}

void MoneyPanel::showInputs() {
    form_->showInputs();
}

void MoneyPanel::fitResults() {
    results_->resizeColumnsToContents();
    results_->resizeRowsToContents();
    int width = 2 * results_->frameWidth();
    for (int c = 0; c < results_->columnCount(); ++c) {
        width += results_->columnWidth(c);
    }
    int height = results_->horizontalHeader()->sizeHint().height() + 2 * results_->frameWidth();
    for (int r = 0; r < results_->rowCount(); ++r) {
        height += results_->rowHeight(r);
    }
    results_->setMinimumWidth(width);
    results_->setFixedHeight(height);
}

void MoneyPanel::refresh() {
    // A price that follows the main window shows the main window's.
    form_->refresh();
    const QList<MoneyResultRow> rows = moneyResultRows(evaluation_);
    results_->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < rows.size(); ++r) {
        setCell(*results_, r, 0, rows[r].label, false);
        setCell(*results_, r, 1, rows[r].hourly, true);
        setCell(*results_, r, 2, rows[r].monthly, true);
    }
    fitResults();
    const int count = static_cast<int>(evaluation_.hourlyMoney().years.size());
    years_->setRowCount(count);
    for (int r = 0; r < count; ++r) {
        for (int c = 0; c < kMoneyTableColumns; ++c) {
            setCell(*years_, r, c, moneyTableCell(evaluation_, r, c), true);
        }
    }
    years_->resizeColumnsToContents();
    charts::fillMoneyChart(*chartView_->chart(), evaluation_);
}

}  // namespace lumetra
