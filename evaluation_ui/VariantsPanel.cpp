// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation_ui/VariantsPanel.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include "evaluation/Evaluation.h"
#include "evaluation/VariantTexts.h"

namespace lumetra {

namespace {

void setCell(QTableWidget& table, int row, int column, const std::string& text) {
    auto* item = table.item(row, column);
    if (item == nullptr) {
        item = new QTableWidgetItem;
        item->setTextAlignment(column == 0 ? Qt::AlignLeft | Qt::AlignVCenter
                                           : Qt::AlignRight | Qt::AlignVCenter);
        table.setItem(row, column, item);
    }
    item->setText(QString::fromStdString(text));
}

}  // namespace

VariantsPanel::VariantsPanel(const evaluation::Evaluation& evaluation, QWidget* parent)
    : QWidget(parent), evaluation_(evaluation) {
    setObjectName(QStringLiteral("variantsPanel"));
    table_ = new QTableWidget(0, 4, this);
    table_->setObjectName(QStringLiteral("variantsTable"));
    table_->verticalHeader()->setVisible(false);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->setFocusPolicy(Qt::NoFocus);
    table_->setWordWrap(false);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verdict_ = new QLabel(this);
    verdict_->setObjectName(QStringLiteral("variantsVerdict"));
    verdict_->setWordWrap(true);
    verdict_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* note = new QLabel(
        QStringLiteral("Alle Varianten aus der Stundenbilanz mit den Annahmen unter "
                       "\"Speicher\" und \"Wirtschaftlichkeit\"; der beste Speicher ist die "
                       "Größe von 0 bis 20 kWh mit dem höchsten Kapitalwert. \"Speicher "
                       "allein\": was der Speicher gegenüber der Anlage ohne Speicher bringt."),
        this);
    note->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(verdict_);
    layout->addWidget(table_, 1);
    layout->addWidget(note);
}

void VariantsPanel::refresh() {
    const auto& variants = evaluation_.variants();
    if (!variants) {
        table_->setRowCount(0);
        verdict_->setText(evaluation_.hasHourlyBalance()
                              ? QStringLiteral("Die Varianten werden berechnet ...")
                              : QStringLiteral("Ohne Klimadaten keine Stundenbilanz und kein "
                                               "Vergleich."));
        return;
    }
    const int years = evaluation_.inputs().years;
    QStringList headers{QStringLiteral("Variante")};
    for (const std::string& title : evaluation::variantTitles(*variants)) {
        headers.append(QString::fromStdString(title));
    }
    table_->setHorizontalHeaderLabels(headers);
    const std::vector<evaluation::VariantRow> rows = evaluation::variantRows(*variants, years);
    table_->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const evaluation::VariantRow& row = rows[static_cast<std::size_t>(r)];
        setCell(*table_, r, 0, row.label);
        setCell(*table_, r, 1, row.withoutBattery);
        setCell(*table_, r, 2, row.withBattery);
        setCell(*table_, r, 3, row.bestBattery);
    }
    table_->resizeColumnsToContents();
    verdict_->setText(QString::fromStdString(evaluation::overallVerdict(*variants, years)));
}

}  // namespace lumetra
