// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ReportOutput.h"

#include <QFile>

#include "cli/Session.h"
#include "evaluation/Evaluation.h"
#include "evaluation_port/EvaluationModule.h"
#include "simulation/ClimateTables.h"

namespace lumetra::cli {

std::string writeReport(const Session& session, const evaluation::EvaluationInputs& inputs,
                        const std::string& path, const DataSearch& dataSearch,
                        const std::filesystem::path& programFolder) {
    QString moduleError;
    const EvaluationModule* module = EvaluationModule::load(
        evaluationModuleCandidates(
            QFile::decodeName(QByteArray::fromStdString(programFolder.string()))),
        &moduleError);
    if (module == nullptr) {
        return "Der Bericht kann nicht geschrieben werden: " + moduleError.toStdString();
    }

    std::string climateError;
    evaluation::Evaluation evaluation(simulation::loadClimateTables(dataSearch, &climateError));
    evaluation.setInputs(inputs);
    evaluation.update(session.calculator().state(), session.calculator().table());
    std::string message;
    if (!evaluation.hasHourlyBalance()) {
        // The report still holds the monthly model; say why the hourly balance is missing.
        message = "Ohne Klimadaten keine Stundenbilanz im Bericht: " + climateError;
    }
    const QString target = QFile::decodeName(QByteArray::fromStdString(path));
    const ReportSource source{
        evaluation, session.calculator(),
        QFile::decodeName(QByteArray::fromStdString(session.lastLoadedPath()))};
    if (!module->writeReportPdf(target, source)) {
        return "Der Bericht konnte nicht geschrieben werden";  // the caller names the file
    }
    return message;
}

}  // namespace lumetra::cli
