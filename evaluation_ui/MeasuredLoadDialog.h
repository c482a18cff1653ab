// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QString>

#include <optional>
#include <string>
#include <vector>

#include "evaluation/EvaluationInputs.h"
#include "simulation/measured/MeasuredLoad.h"

class QComboBox;
class QDialogButtonBox;
class QLabel;
class QRadioButton;

namespace lumetra {

// "Gemessenen Verbrauch einlesen": the value column, the unit, "wie gemessen" (with the file's
// annual sum) or scaled to the household's annual electricity, and what the reader found (step,
// first time, filled gaps, 29 February dropped). The file is read again with every change;
// while it cannot be read as chosen, the reader's message is shown and OK is disabled.
class MeasuredLoadDialog : public QDialog {
    Q_OBJECT

  public:
    // `bytes` the file's content, `columns` its columns (simulation::measuredLoadColumns),
    // `household_kWh` the household's annual electricity.
    MeasuredLoadDialog(const QString& fileName, std::string bytes,
                       std::vector<simulation::MeasuredColumn> columns,
                       const simulation::MeasuredLoadTarget& target, double household_kWh,
                       const evaluation::MeasuredLoadChoice& initial, QWidget* parent);

    // The column, unit and scaling chosen (the file left empty); the column kept by its name
    // where that finds it again, else by its number; the unit only where it is not the name's.
    evaluation::MeasuredLoadChoice settings() const;
    // The year as chosen; nothing while the file cannot be read so.
    const std::optional<simulation::MeasuredLoad>& load() const { return load_; }
    // Whether the file cannot be read with a unit known: then no choice in the dialog mends
    // it but another column, and the reader's message says why.
    bool refusedAsIs() const;

    QComboBox* columnBox() const { return column_; }
    QComboBox* unitBox() const { return unit_; }
    QRadioButton* asMeasuredButton() const { return asMeasured_; }
    QRadioButton* scaledButton() const { return scaled_; }
    QLabel* findingsLabel() const { return findings_; }
    QDialogButtonBox* buttons() const { return buttons_; }

  private:
    void columnChosen();
    void readAgain();
    const simulation::MeasuredColumn* currentColumn() const;

    std::string bytes_;
    std::vector<simulation::MeasuredColumn> columns_;  // the value columns
    simulation::MeasuredLoadTarget target_;
    double household_kWh_ = 0;
    std::optional<simulation::MeasuredLoad> load_;
    QComboBox* column_ = nullptr;
    QComboBox* unit_ = nullptr;
    QRadioButton* asMeasured_ = nullptr;
    QRadioButton* scaled_ = nullptr;
    QLabel* findings_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
};

// The text of a unit as the dialog and the panel show it.
QString measuredUnitLabel(simulation::MeasuredUnit unit);

// What the reader found, in one short German text: step, first time, filled gaps, 29 February.
QString measuredFindings(const simulation::MeasuredLoad& load);

}  // namespace lumetra
