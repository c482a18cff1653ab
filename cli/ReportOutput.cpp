// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ReportOutput.h"

#include <QFile>

#include "cli/Session.h"
#include "evaluation/Evaluation.h"
#include "evaluation_ui/ClimateData.h"
#include "evaluation_ui/Report.h"

namespace lumetra::cli {

std::string writeReport(const Session& session, const std::string& path) {
    QString climateError;
    evaluation::Evaluation evaluation(loadWindowClimateTables(&climateError));
    evaluation.setInputs(session.evaluationInputs());
    evaluation.update(session.calculator().state(), session.calculator().table());
    std::string message;
    if (!evaluation.hasHourlyBalance()) {
        // The report still holds the monthly model; say why the hourly balance is missing.
        message = "Ohne Klimadaten keine Stundenbilanz im Bericht: " + climateError.toStdString();
    }
    const QString target = QFile::decodeName(QByteArray::fromStdString(path));
    const ReportSource source{
        evaluation, session.calculator(),
        QFile::decodeName(QByteArray::fromStdString(session.lastLoadedPath()))};
    if (!writeReportPdf(target, source)) {
        return "Der Bericht konnte nicht geschrieben werden: " + path;
    }
    return message;
}

}  // namespace lumetra::cli
