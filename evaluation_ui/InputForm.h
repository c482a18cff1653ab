// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <map>
#include <vector>

#include "evaluation/EvaluationInputs.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QFormLayout;

namespace lumetra::evaluation {
class Evaluation;
}

namespace lumetra {

// A form of Auswertung inputs, one row each: a number editor with the input's range, decimals
// and unit; beside an input that can follow the main window a "wie Hauptfenster" box (the
// editor then shows the main window's value and takes no typing); beside a power the choice
// of its unit, C-rate or kW (switching converts at the battery's size, so the battery stays
// the same); the feed-in limit as a choice of "keine", 70 % and 60 % (and a value of a data
// file that is none of them). Every change goes to the evaluation at once.
class InputForm : public QWidget {
    Q_OBJECT

  public:
    InputForm(evaluation::Evaluation& evaluation, std::vector<evaluation::InputId> ids,
              QWidget* parent);

    // Puts the evaluation's inputs into the editors.
    void showInputs();
    // An input that follows the main window shows the main window's value now.
    void refresh();

    QFormLayout* layout() const { return form_; }
    QDoubleSpinBox* editor(evaluation::InputId id) const;
    QCheckBox* followBox(evaluation::InputId id) const;
    QComboBox* unitBox(evaluation::InputId id) const;
    // The feed-in limit's choice (nothing when the form has no feed-in limit).
    QComboBox* limitBox() const { return limit_; }

  signals:
    void inputsEdited();

  private:
    void addRow(evaluation::InputId id);
    void editorChanged(evaluation::InputId id, double value);
    void followChanged(evaluation::InputId id, bool follow);
    void unitChanged(evaluation::InputId id, int index);
    void limitChosen(int index);
    void showValue(evaluation::InputId id);
    void showLimit();
    // Sets the editor's range, decimals and unit for the input as it is now.
    void fitEditor(evaluation::InputId id);
    void take(const evaluation::EvaluationInputs& inputs);

    evaluation::Evaluation& evaluation_;
    std::vector<evaluation::InputId> ids_;
    QFormLayout* form_ = nullptr;
    std::map<evaluation::InputId, QDoubleSpinBox*> editors_;
    std::map<evaluation::InputId, QCheckBox*> follow_;
    std::map<evaluation::InputId, QComboBox*> units_;
    QComboBox* limit_ = nullptr;
    bool showing_ = false;
};

// A group box with a title around a form of inputs (its own widget so that the window places
// it where it belongs).
QWidget* inputGroup(const QString& title, InputForm* form, QWidget* parent);

}  // namespace lumetra
