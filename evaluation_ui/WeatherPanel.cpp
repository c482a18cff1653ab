// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation_ui/WeatherPanel.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

#include "evaluation/Evaluation.h"
#include "evaluation/WeatherChoice.h"
#include "evaluation_ui/ChartSupport.h"
#include "evaluation_ui/ChoicePanelLayout.h"

namespace lumetra {

namespace {

constexpr int kSynthesized = 0;
constexpr int kFromFile = 1;

}  // namespace

WeatherPanel::WeatherPanel(evaluation::Evaluation& evaluation, QWidget* parent)
    : QGroupBox(QStringLiteral("Wetterdaten"), parent), evaluation_(evaluation) {
    setObjectName(QStringLiteral("weatherPanel"));
    choice_ = new QComboBox(this);
    choice_->setObjectName(QStringLiteral("weatherChoice"));
    choice_->addItems({QStringLiteral("synthetisch"), QStringLiteral("aus Datei")});
    choice_->setToolTip(
        QStringLiteral("synthetisch: ein Wetterjahr aus der Globalstrahlung des "
                       "Hauptfensters.\naus Datei: ein echtes Jahr, z. B. das typische Jahr "
                       "von PVGIS (CSV oder JSON) oder eine EPW-Datei."));
    fileButton_ = new QPushButton(QStringLiteral("Datei..."), this);
    fileButton_->setObjectName(QStringLiteral("weatherFileButton"));
    fileButton_->setAutoDefault(false);
    irradiation_ = new QLabel(this);
    irradiation_->setObjectName(QStringLiteral("weatherIrradiation"));
    irradiation_->setWordWrap(true);  // the panel stays as narrow as the key figures
    note_ = new QLabel(this);
    note_->setObjectName(QStringLiteral("weatherNote"));
    note_->setWordWrap(true);

    layOutChoicePanel(*this, QStringLiteral("&Wetterdaten:"), choice_, fileButton_,
                      {irradiation_, note_});

    connect(choice_, &QComboBox::activated, this, &WeatherPanel::choiceChanged);
    connect(fileButton_, &QPushButton::clicked, this, &WeatherPanel::chooseFile);
    refresh();
}

void WeatherPanel::refresh() {
    const QSignalBlocker blocker(choice_);
    const std::string& path = evaluation_.inputs().weatherFile;
    choice_->setCurrentIndex(path.empty() ? kSynthesized : kFromFile);

    QString text =
        QStringLiteral("Globalstrahlung: %1 kWh/m² im Hauptfenster")
            .arg(charts::german(evaluation_.simulationInput().annualIrradiation_kWh_per_m2, 0));
    if (const simulation::HourlyResult* result = evaluation_.hourlyResult()) {
        text += QStringLiteral(", %1 kWh/m² im Wetterjahr")
                    .arg(charts::german(result->irradiation_kWh_per_m2, 0));
    }
    irradiation_->setText(text);

    QString note;
    if (!evaluation_.weatherProblem().empty()) {
        note = QString::fromStdString(evaluation_.weatherProblem());
    } else if (const auto& file = evaluation_.weather()) {
        note = QFileInfo(QString::fromStdString(path)).fileName();
        const simulation::SimulationInput& site = evaluation_.simulationInput();
        if (const auto warning =
                evaluation::weatherDistanceWarning(*file, site.latitude_deg, site.longitude_deg)) {
            note += QStringLiteral("\n") + QString::fromStdString(*warning);
        }
    }
    note_->setText(note);
    note_->setVisible(!note.isEmpty());
}

bool WeatherPanel::importFile(const QString& path) {
    const std::string message = evaluation_.importWeather(path.toStdString());
    if (!message.empty()) {
        showWarning(this, QStringLiteral("Wetterdaten"), QString::fromStdString(message));
        refresh();
        return false;
    }
    emit inputsEdited();
    refresh();
    const simulation::SimulationInput& site = evaluation_.simulationInput();
    if (const auto warning = evaluation::weatherDistanceWarning(
            *evaluation_.weather(), site.latitude_deg, site.longitude_deg)) {
        showWarning(this, QStringLiteral("Wetterdaten"), QString::fromStdString(*warning));
    }
    return true;
}

void WeatherPanel::choiceChanged(int index) {
    if (index == kSynthesized) {
        evaluation_.useSynthesizedWeather();
        emit inputsEdited();
        refresh();
    } else if (!evaluation_.weather()) {
        chooseFile();  // "aus Datei" without a file: which one?
        refresh();
    }
}

void WeatherPanel::chooseFile() {
    QFileDialog dialog(this, QStringLiteral("Wetterdatei öffnen"));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(
        {QStringLiteral("Wetterdateien (*.csv *.json *.epw)"), QStringLiteral("Alle Dateien (*)")});
    const QString current = QString::fromStdString(evaluation_.inputs().weatherFile);
    if (!current.isEmpty()) {
        dialog.setDirectory(QFileInfo(current).absolutePath());
    }
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        importFile(dialog.selectedFiles().first());
    }
}

}  // namespace lumetra
