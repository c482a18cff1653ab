// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation_ui/MeasuredLoadDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

#include "evaluation_ui/ChartSupport.h"

namespace lumetra {

namespace {

constexpr simulation::MeasuredUnit kUnits[] = {
    simulation::MeasuredUnit::Wh, simulation::MeasuredUnit::kWh, simulation::MeasuredUnit::W,
    simulation::MeasuredUnit::kW};

QString qText(const std::string& text) {
    return QString::fromStdString(text);
}

// A column is kept by its name where the name alone finds it again (a header of its own,
// unique, not a number), else by its number.
std::string columnReference(const simulation::MeasuredColumn& column,
                            const std::vector<simulation::MeasuredColumn>& all) {
    const bool synthesized = column.name == "Spalte " + std::to_string(column.number);
    const bool digits =
        !column.name.empty() && std::all_of(column.name.begin(), column.name.end(),
                                            [](char c) { return c >= '0' && c <= '9'; });
    const auto sameName = std::count_if(
        all.begin(), all.end(), [&](const auto& other) { return other.name == column.name; });
    if (!synthesized && !digits && !column.name.empty() && sameName == 1) {
        return column.name;
    }
    return std::to_string(column.number);
}

}  // namespace

QString measuredUnitLabel(simulation::MeasuredUnit unit) {
    switch (unit) {
        case simulation::MeasuredUnit::Wh:
            return QStringLiteral("Wh je Schritt");
        case simulation::MeasuredUnit::kWh:
            return QStringLiteral("kWh je Schritt");
        case simulation::MeasuredUnit::W:
            return QStringLiteral("W (mittlere Leistung)");
        case simulation::MeasuredUnit::kW:
            return QStringLiteral("kW (mittlere Leistung)");
    }
    return {};
}

QString measuredFindings(const simulation::MeasuredLoad& load) {
    QStringList parts;
    parts.append(QStringLiteral("Schrittweite %1 min, Beginn %2")
                     .arg(load.stepMinutes)
                     .arg(qText(load.firstTime)));
    if (load.filledGaps.empty()) {
        parts.append(QStringLiteral("keine Lücken"));
    } else {
        int minutes = 0;
        for (const simulation::FilledGap& gap : load.filledGaps) {
            minutes += gap.minutes;
        }
        parts.append(QStringLiteral("%1 Lücke(n) mit zusammen %2 min linear gefüllt, die erste "
                                    "ab %3")
                         .arg(load.filledGaps.size())
                         .arg(minutes)
                         .arg(qText(load.filledGaps.front().firstMissing)));
    }
    if (load.leapDayDropped) {
        parts.append(QStringLiteral("29. Februar weggelassen"));
    }
    return parts.join(QStringLiteral("; ")) + QLatin1Char('.');
}

MeasuredLoadDialog::MeasuredLoadDialog(const QString& fileName, std::string bytes,
                                       std::vector<simulation::MeasuredColumn> columns,
                                       const simulation::MeasuredLoadTarget& target,
                                       double household_kWh,
                                       const evaluation::MeasuredLoadChoice& initial,
                                       QWidget* parent)
    : QDialog(parent), bytes_(std::move(bytes)), target_(target), household_kWh_(household_kWh) {
    setObjectName(QStringLiteral("measuredLoadDialog"));
    setWindowTitle(QStringLiteral("Gemessenen Verbrauch einlesen"));
    // Column 1 holds the time; the others are the values to choose from.
    for (simulation::MeasuredColumn& column : columns) {
        if (column.number > 1) {
            columns_.push_back(std::move(column));
        }
    }

    column_ = new QComboBox(this);
    column_->setObjectName(QStringLiteral("measuredColumn"));
    int chosen = 0;
    for (std::size_t i = 0; i < columns_.size(); ++i) {
        const simulation::MeasuredColumn& column = columns_[i];
        column_->addItem(QStringLiteral("%1: %2").arg(column.number).arg(qText(column.name)));
        if (initial.column == column.name || initial.column == std::to_string(column.number)) {
            chosen = static_cast<int>(i);
        }
    }
    column_->setCurrentIndex(chosen);

    unit_ = new QComboBox(this);
    unit_->setObjectName(QStringLiteral("measuredUnit"));
    unit_->setPlaceholderText(QStringLiteral("bitte wählen"));
    for (const simulation::MeasuredUnit unit : kUnits) {
        unit_->addItem(measuredUnitLabel(unit), static_cast<int>(unit));
    }

    asMeasured_ = new QRadioButton(this);
    asMeasured_->setObjectName(QStringLiteral("measuredAsMeasured"));
    scaled_ = new QRadioButton(
        QStringLiteral("auf den Jahresstromverbrauch des Haushalts skaliert (%1 kWh)")
            .arg(charts::german(household_kWh_, 0)),
        this);
    scaled_->setObjectName(QStringLiteral("measuredScaled"));
    (initial.scaledToAnnual ? scaled_ : asMeasured_)->setChecked(true);

    findings_ = new QLabel(this);
    findings_->setObjectName(QStringLiteral("measuredFindings"));
    findings_->setWordWrap(true);
    findings_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout;
    auto* file = new QLabel(fileName, this);
    file->setWordWrap(true);
    form->addRow(QStringLiteral("Datei:"), file);
    form->addRow(QStringLiteral("&Spalte:"), column_);
    form->addRow(QStringLiteral("&Einheit:"), unit_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(asMeasured_);
    layout->addWidget(scaled_);
    layout->addWidget(findings_);
    layout->addStretch(1);
    layout->addWidget(buttons_);

    columnChosen();
    if (initial.unit) {
        unit_->setCurrentIndex(unit_->findData(static_cast<int>(*initial.unit)));
        readAgain();
    }
    connect(column_, &QComboBox::currentIndexChanged, this, &MeasuredLoadDialog::columnChosen);
    connect(unit_, &QComboBox::currentIndexChanged, this, &MeasuredLoadDialog::readAgain);
}

const simulation::MeasuredColumn* MeasuredLoadDialog::currentColumn() const {
    const int index = column_->currentIndex();
    return index >= 0 && index < static_cast<int>(columns_.size())
               ? &columns_[static_cast<std::size_t>(index)]
               : nullptr;
}

void MeasuredLoadDialog::columnChosen() {
    // A column whose name gives its unit takes that unit; any other asks for one.
    const simulation::MeasuredColumn* column = currentColumn();
    {
        const QSignalBlocker blocker(unit_);
        unit_->setCurrentIndex(column != nullptr && column->unit
                                   ? unit_->findData(static_cast<int>(*column->unit))
                                   : -1);
    }
    readAgain();
}

void MeasuredLoadDialog::readAgain() {
    load_.reset();
    const simulation::MeasuredColumn* column = currentColumn();
    QString problem;
    if (column == nullptr) {
        problem = QStringLiteral("Die Datei hat keine Spalte mit Werten.");
    } else if (unit_->currentIndex() < 0) {
        problem = QStringLiteral("Bitte die Einheit der Spalte wählen.");
    } else {
        simulation::MeasuredLoadOptions options;
        options.column = std::to_string(column->number);
        options.unit = static_cast<simulation::MeasuredUnit>(unit_->currentData().toInt());
        std::string error;
        load_ = simulation::readMeasuredLoad(bytes_, target_, options, &error);
        if (!load_) {
            problem = qText(error);
        }
    }
    asMeasured_->setText(load_ ? QStringLiteral("wie gemessen (%1 kWh im Jahr)")
                                     .arg(charts::german(load_->annual_kWh, 0))
                               : QStringLiteral("wie gemessen"));
    findings_->setText(load_ ? measuredFindings(*load_) : problem);
    QPalette palette = findings_->palette();
    palette.setColor(QPalette::WindowText,
                     load_ ? palette.color(QPalette::Text) : QColor(Qt::darkRed));
    findings_->setPalette(palette);
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(load_.has_value());
}

bool MeasuredLoadDialog::refusedAsIs() const {
    return !load_ && currentColumn() != nullptr && unit_->currentIndex() >= 0;
}

evaluation::MeasuredLoadChoice MeasuredLoadDialog::settings() const {
    evaluation::MeasuredLoadChoice settings;
    const simulation::MeasuredColumn* column = currentColumn();
    if (column != nullptr && columns_.size() > 1) {
        settings.column = columnReference(*column, columns_);
    }
    if (unit_->currentIndex() >= 0) {
        const auto unit = static_cast<simulation::MeasuredUnit>(unit_->currentData().toInt());
        if (column == nullptr || column->unit != unit) {
            settings.unit = unit;
        }
    }
    settings.scaledToAnnual = scaled_->isChecked();
    return settings;
}

}  // namespace lumetra
