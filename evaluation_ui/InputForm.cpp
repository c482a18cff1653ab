// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation_ui/InputForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <cmath>

#include "evaluation/Evaluation.h"
#include "evaluation_ui/ChartSupport.h"

namespace lumetra {

using evaluation::InputId;

namespace {

// The feed-in limits offered, in percent of the peak power: none, the old German rule, the
// rule for new installations without a smart-meter gateway.
constexpr double kOfferedLimits[] = {100, 70, 60};

QString qText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString limitText(double percent) {
    return percent >= 100 ? QStringLiteral("keine")
                          : charts::german(percent, 0) + QStringLiteral(" %");
}

}  // namespace

InputForm::InputForm(evaluation::Evaluation& evaluation, std::vector<InputId> ids, QWidget* parent)
    : QWidget(parent), evaluation_(evaluation), ids_(std::move(ids)) {
    form_ = new QFormLayout(this);
    form_->setContentsMargins(0, 0, 0, 0);
    for (const InputId id : ids_) {
        addRow(id);
    }
    showInputs();
}

void InputForm::addRow(InputId id) {
    const evaluation::InputInfo& info = evaluation::inputInfo(id);
    const QString label = qText(info.label) + QStringLiteral(":");
    if (id == InputId::FeedInLimit) {
        limit_ = new QComboBox(this);
        limit_->setObjectName(qText(info.fileName));
        limit_->setToolTip(
            QStringLiteral("Anteil der Anlagenleistung, der höchstens eingespeist werden darf. "
                           "Was darüber liegt, lädt den Speicher, soweit er Platz hat, sonst "
                           "wird es abgeregelt.\n60 %: neue Anlagen ohne intelligentes "
                           "Messsystem (seit 25. Februar 2025); 70 %: die frühere Regel."));
        connect(limit_, &QComboBox::activated, this, &InputForm::limitChosen);
        form_->addRow(label, limit_);
        return;
    }
    auto* spin = new QDoubleSpinBox(this);
    spin->setObjectName(qText(info.fileName));
    spin->setGroupSeparatorShown(true);
    spin->setKeyboardTracking(true);
    spin->setAlignment(Qt::AlignRight);
    if (id == InputId::InverterPower) {
        spin->setSpecialValueText(QStringLiteral("keine Begrenzung"));
    }
    editors_[id] = spin;
    fitEditor(id);
    connect(spin, &QDoubleSpinBox::valueChanged, this,
            [this, id](double value) { editorChanged(id, value); });
    if (!evaluation::canFollowMainWindow(id) && !evaluation::hasPowerUnit(id)) {
        form_->addRow(label, spin);
        return;
    }
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(spin, 1);
    if (evaluation::canFollowMainWindow(id)) {
        auto* follow = new QCheckBox(QStringLiteral("wie Hauptfenster"), row);
        follow->setObjectName(qText(info.fileName) + QStringLiteral(" wie Hauptfenster"));
        follow->setToolTip(QStringLiteral("Der Wert kommt aus dem Hauptfenster."));
        connect(follow, &QCheckBox::toggled, this,
                [this, id](bool checked) { followChanged(id, checked); });
        layout->addWidget(follow);
        follow_[id] = follow;
    }
    if (evaluation::hasPowerUnit(id)) {
        auto* unit = new QComboBox(row);
        unit->setObjectName(qText(info.fileName) + QStringLiteral(" Einheit"));
        unit->addItem(QStringLiteral("C (kW je kWh)"));
        unit->addItem(QStringLiteral("kW"));
        unit->setToolTip(
            QStringLiteral("C: die Leistung wächst mit dem Speicher (0,5 C: ein 10-kWh-Speicher "
                           "lädt mit 5 kW). kW: die gleiche Leistung für jede Speichergröße."));
        connect(unit, &QComboBox::activated, this,
                [this, id](int index) { unitChanged(id, index); });
        layout->addWidget(unit);
        units_[id] = unit;
    }
    form_->addRow(label, row);
}

QDoubleSpinBox* InputForm::editor(InputId id) const {
    const auto found = editors_.find(id);
    return found != editors_.end() ? found->second : nullptr;
}

QCheckBox* InputForm::followBox(InputId id) const {
    const auto found = follow_.find(id);
    return found != follow_.end() ? found->second : nullptr;
}

QComboBox* InputForm::unitBox(InputId id) const {
    const auto found = units_.find(id);
    return found != units_.end() ? found->second : nullptr;
}

void InputForm::fitEditor(InputId id) {
    QDoubleSpinBox* spin = editor(id);
    const evaluation::EvaluationInputs& inputs = evaluation_.inputs();
    const evaluation::InputRange range = evaluation::inputRange(inputs, id);
    const QSignalBlocker blocker(spin);
    spin->setDecimals(range.decimals);
    spin->setRange(range.minimum, range.maximum);
    spin->setSuffix(QStringLiteral(" ") + qText(evaluation::inputUnit(inputs, id)));
}

void InputForm::showValue(InputId id) {
    QDoubleSpinBox* spin = editor(id);
    const evaluation::EvaluationInputs& inputs = evaluation_.inputs();
    fitEditor(id);
    const bool follows = evaluation::followsMainWindow(inputs, id);
    spin->setValue(evaluation::inputValue(inputs, id, evaluation_.mainWindowInputs()));
    spin->setEnabled(!follows);
    if (QCheckBox* follow = followBox(id)) {
        follow->setChecked(follows);
    }
    if (QComboBox* unit = unitBox(id)) {
        unit->setCurrentIndex(
            evaluation::inputPowerUnit(inputs, id) == evaluation::PowerUnit::Kilowatt ? 1 : 0);
    }
}

void InputForm::showLimit() {
    const double percent = evaluation_.inputs().feedInLimit_percent;
    limit_->clear();
    int current = -1;
    for (const double offered : kOfferedLimits) {
        if (offered == percent) {
            current = limit_->count();
        }
        limit_->addItem(limitText(offered), offered);
    }
    if (current < 0) {  // a value of a data file or of lumetra-cli
        current = limit_->count();
        limit_->addItem(limitText(percent), percent);
    }
    limit_->setCurrentIndex(current);
}

void InputForm::showInputs() {
    showing_ = true;
    for (const InputId id : ids_) {
        if (id == InputId::FeedInLimit) {
            showLimit();
        } else {
            showValue(id);
        }
    }
    showing_ = false;
}

void InputForm::refresh() {
    showing_ = true;
    for (const auto& [id, follow] : follow_) {
        if (follow->isChecked()) {
            editor(id)->setValue(
                evaluation::inputValue(evaluation_.inputs(), id, evaluation_.mainWindowInputs()));
        }
    }
    showing_ = false;
}

void InputForm::take(const evaluation::EvaluationInputs& inputs) {
    if (inputs == evaluation_.inputs()) {
        return;
    }
    evaluation_.setInputs(inputs);
    emit inputsEdited();
}

void InputForm::editorChanged(InputId id, double value) {
    if (showing_ || evaluation::followsMainWindow(evaluation_.inputs(), id)) {
        return;
    }
    evaluation::EvaluationInputs inputs = evaluation_.inputs();
    if (evaluation::setInputValue(inputs, id, value)) {
        take(inputs);
    }
}

void InputForm::followChanged(InputId id, bool follow) {
    if (showing_) {
        return;
    }
    evaluation::EvaluationInputs inputs = evaluation_.inputs();
    // Its own value starts from the one shown, which is the main window's while it followed.
    evaluation::setFollowsMainWindow(inputs, id, follow, editor(id)->value());
    editor(id)->setEnabled(!follow);
    take(inputs);
    showing_ = true;
    showValue(id);
    showing_ = false;
}

void InputForm::unitChanged(InputId id, int index) {
    const evaluation::PowerUnit unit =
        index == 1 ? evaluation::PowerUnit::Kilowatt : evaluation::PowerUnit::CRate;
    evaluation::EvaluationInputs inputs = evaluation_.inputs();
    if (evaluation::inputPowerUnit(inputs, id) == unit) {
        return;
    }
    // The same battery in the other unit, at the size the hourly balance simulates; without a
    // battery the number stays.
    const double capacity =
        evaluation::inputValue(inputs, InputId::BatteryCapacity, evaluation_.mainWindowInputs());
    const double value = evaluation::inputValue(inputs, id);
    evaluation::setInputPowerUnit(inputs, id, unit);
    if (capacity > 0) {
        evaluation::setInputValue(
            inputs, id,
            unit == evaluation::PowerUnit::Kilowatt ? value * capacity : value / capacity);
    }
    take(inputs);
    showing_ = true;
    showValue(id);
    showing_ = false;
}

void InputForm::limitChosen(int index) {
    evaluation::EvaluationInputs inputs = evaluation_.inputs();
    if (evaluation::setInputValue(inputs, InputId::FeedInLimit,
                                  limit_->itemData(index).toDouble())) {
        take(inputs);
    }
}

QWidget* inputGroup(const QString& title, InputForm* form, QWidget* parent) {
    auto* box = new QGroupBox(title, parent);
    auto* layout = new QVBoxLayout(box);
    form->setParent(box);
    layout->addWidget(form);
    return box;
}

}  // namespace lumetra
