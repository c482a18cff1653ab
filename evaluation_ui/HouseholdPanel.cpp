// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation_ui/HouseholdPanel.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

#include <algorithm>

#include "evaluation/Evaluation.h"
#include "evaluation/MeasuredLoadFile.h"
#include "evaluation/SpreadTexts.h"
#include "evaluation_ui/ChoicePanelLayout.h"
#include "evaluation_ui/MeasuredLoadDialog.h"
#include "persistence/FileAccess.h"
#include "simulation/TableFiles.h"

namespace lumetra {

namespace {

using evaluation::HouseholdProfile;

// The choice's entries in the order of HouseholdProfile.
constexpr HouseholdProfile kProfiles[] = {HouseholdProfile::Simulated, HouseholdProfile::Standard,
                                          HouseholdProfile::Measured};

const QString kTitle = QStringLiteral("Lastprofil Haushalt");

QString qText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

HouseholdPanel::HouseholdPanel(evaluation::Evaluation& evaluation, QWidget* parent)
    : QGroupBox(kTitle, parent), evaluation_(evaluation) {
    setObjectName(QStringLiteral("householdPanel"));
    choice_ = new QComboBox(this);
    choice_->setObjectName(QStringLiteral("householdProfileChoice"));
    for (const HouseholdProfile profile : kProfiles) {
        choice_->addItem(qText(evaluation::householdProfileText(profile)));
    }
    choice_->setToolTip(QStringLiteral(
        "Einzelhaushalt (simuliert): ein Haushalt mit der Personenzahl und dem "
        "Jahresstromverbrauch des Hauptfensters, Viertelstunde für Viertelstunde simuliert "
        "(Richardson et al. 2010).\nStandardlastprofil (BDEW H25): der geglättete Mittelwert "
        "vieler Haushalte.\nGemessen (Datei): ein gemessenes Jahr aus einer CSV-Datei."));
    otherHome_ = new QPushButton(QStringLiteral("Anderer Haushalt"), this);
    otherHome_->setObjectName(QStringLiteral("otherHomeButton"));
    otherHome_->setAutoDefault(false);
    otherHome_->setToolTip(
        QStringLiteral("Ein anderer simulierter Haushalt gleicher Größe und gleichen "
                       "Verbrauchs: zeigt, wie sehr das Ergebnis vom Zufall des Alltags abhängt."));
    fileButton_ = new QPushButton(QStringLiteral("Datei..."), this);
    fileButton_->setObjectName(QStringLiteral("householdFileButton"));
    fileButton_->setAutoDefault(false);
    note_ = new QLabel(this);
    note_->setObjectName(QStringLiteral("householdNote"));
    note_->setWordWrap(true);
    note_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    home_ = new QLabel(this);
    home_->setObjectName(QStringLiteral("otherHomeLabel"));

    // Two rows, so that the key figures above keep their room: the choice with the file button,
    // then which home with the button that moves on.
    auto* label = new QLabel(QStringLiteral("&Lastprofil:"), this);
    label->setBuddy(choice_);
    auto* layout = new QGridLayout(this);
    layout->addWidget(label, 0, 0);
    layout->addWidget(choice_, 0, 1);
    layout->addWidget(fileButton_, 0, 2);
    layout->addWidget(home_, 1, 1);
    layout->addWidget(otherHome_, 1, 2);
    layout->addWidget(note_, 2, 0, 1, 3);
    layout->setColumnStretch(1, 1);

    connect(choice_, &QComboBox::activated, this, &HouseholdPanel::choiceChanged);
    connect(otherHome_, &QPushButton::clicked, this, &HouseholdPanel::nextHome);
    connect(fileButton_, &QPushButton::clicked, this, &HouseholdPanel::chooseFile);
    refresh();
}

void HouseholdPanel::refresh() {
    const evaluation::EvaluationInputs& inputs = evaluation_.inputs();
    {
        const QSignalBlocker blocker(choice_);
        choice_->setCurrentIndex(static_cast<int>(inputs.householdProfile));
    }
    const bool simulated = inputs.householdProfile == HouseholdProfile::Simulated;
    otherHome_->setEnabled(simulated);

    home_->setText(simulated ? qText(evaluation::otherHomeText(inputs.otherHome)) : QString());
    QString note;
    if (!evaluation_.measuredLoadProblem().empty()) {
        note = qText(evaluation_.measuredLoadProblem());
    } else if (inputs.householdProfile == HouseholdProfile::Measured) {
        note = QFileInfo(qText(inputs.measuredLoad.file)).fileName() +
               (inputs.measuredLoad.scaledToAnnual
                    ? QStringLiteral(", auf den Jahresstromverbrauch skaliert")
                    : QStringLiteral(", wie gemessen"));
    }
    note_->setText(note);
    note_->setVisible(!note.isEmpty());
}

void HouseholdPanel::choiceChanged(int index) {
    const HouseholdProfile profile = kProfiles[std::clamp(index, 0, 2)];
    evaluation::EvaluationInputs inputs = evaluation_.inputs();
    if (profile == HouseholdProfile::Measured && inputs.measuredLoad.file.empty()) {
        chooseFile();  // "Gemessen (Datei)" without a file: which one?
        refresh();
        return;
    }
    if (profile == inputs.householdProfile) {
        return;
    }
    inputs.householdProfile = profile;
    evaluation_.setInputs(inputs);
    emit inputsEdited();
    refresh();
}

void HouseholdPanel::nextHome() {
    evaluation::EvaluationInputs inputs = evaluation_.inputs();
    // Past the last home kept in a data file, the household's own comes round again.
    inputs.otherHome = inputs.otherHome >= evaluation::kMaxOtherHome ? 0 : inputs.otherHome + 1;
    evaluation_.setInputs(inputs);
    emit inputsEdited();
    refresh();
}

void HouseholdPanel::chooseFile() {
    QFileDialog dialog(this, QStringLiteral("Gemessenen Verbrauch öffnen"));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(
        {QStringLiteral("CSV-Dateien (*.csv *.txt)"), QStringLiteral("Alle Dateien (*)")});
    const QString current = qText(evaluation_.inputs().measuredLoad.file);
    if (!current.isEmpty()) {
        dialog.setDirectory(QFileInfo(current).absolutePath());
    }
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        importFile(dialog.selectedFiles().first());
    }
}

bool HouseholdPanel::importFile(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const auto refuse = [&](const std::string& why) {
        showWarning(this, kTitle,
                    QStringLiteral("Die Datei %1 kann nicht als gemessener Verbrauch eingelesen "
                                   "werden:\n%2")
                        .arg(QFileInfo(path).fileName(), qText(why)));
        refresh();
        return false;
    };
    // Read once, capped in size like every table, so that neither a huge file nor a pipe holds
    // up the window; the dialog reads the bytes again with each choice.
    std::string error;
    std::optional<std::string> bytes =
        simulation::readTableFile(pathFromUtf8(absolute.toStdString()), &error);
    if (!bytes) {
        return refuse(error);
    }
    auto columns = simulation::measuredLoadColumns(*bytes, &error);
    if (!columns) {
        return refuse(error);
    }
    const evaluation::EvaluationInputs& inputs = evaluation_.inputs();
    // The same file again starts from its choice.
    evaluation::MeasuredLoadChoice initial;
    if (inputs.measuredLoad.file == absolute.toStdString()) {
        initial = inputs.measuredLoad;
    }
    // The axis the balance lays the year on, so that the sums shown are the balance's.
    const simulation::MeasuredLoadTarget target =
        evaluation::measuredLoadTarget(evaluation_.simulationInput(), evaluation_.climate().get());
    MeasuredLoadDialog dialog(QFileInfo(path).fileName(), std::move(*bytes), std::move(*columns),
                              target, evaluation_.simulationInput().demand.household_kWh, initial,
                              this);
    // A file that cannot be read as it stands (its unit known) is refused at once.
    if (dialog.refusedAsIs()) {
        return refuse(dialog.findingsLabel()->text().toStdString());
    }
    if (dialog.exec() != QDialog::Accepted || !dialog.load()) {
        refresh();
        return false;
    }
    evaluation::EvaluationInputs changed = evaluation_.inputs();
    changed.householdProfile = HouseholdProfile::Measured;
    changed.measuredLoad = dialog.settings();
    changed.measuredLoad.file = absolute.toStdString();
    evaluation_.setInputs(changed);
    emit inputsEdited();
    refresh();
    return true;
}

}  // namespace lumetra
