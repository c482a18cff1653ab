// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ReportOutput.h"

#include <QApplication>
#include <QFile>

#include <memory>

#include "cli/Session.h"
#include "evaluation/Evaluation.h"
#include "evaluation_ui/Report.h"

namespace lumetra::cli {

namespace {

// Qt's own notes (a missing runtime folder, fonts it falls back from) are no message of this
// program: while the report is drawn they are dropped, and only what stops Qt gets through.
QtMessageHandler qtHandlerBefore = nullptr;

void dropQtNotes(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if ((type == QtCriticalMsg || type == QtFatalMsg) && qtHandlerBefore != nullptr) {
        qtHandlerBefore(type, context, message);
    }
}

class QuietQt {
  public:
    QuietQt() { qtHandlerBefore = qInstallMessageHandler(&dropQtNotes); }
    ~QuietQt() { qInstallMessageHandler(qtHandlerBefore); }
    QuietQt(const QuietQt&) = delete;
    QuietQt& operator=(const QuietQt&) = delete;
};

// The report's charts are graphics widgets: they need the widgets' application, here one
// without a screen for the time of writing.
class OffscreenApplication {
  public:
    OffscreenApplication() : application_(argc_, argv_) {}

  private:
    int argc_ = 3;
    char name_[12] = "lumetra-cli";
    char option_[10] = "-platform";
    char platform_[10] = "offscreen";
    char* argv_[4] = {name_, option_, platform_, nullptr};
    QApplication application_;
};

}  // namespace

std::string writeReport(const Session& session, const evaluation::Evaluation& evaluation,
                        const std::string& path, const std::string& climateError,
                        const evaluation::Spread* spread) {
    std::string message;
    if (!evaluation.hasHourlyBalance()) {
        // The report still holds the monthly model; say why the hourly balance is missing.
        message = "Ohne Klimadaten keine Stundenbilanz im Bericht: " + climateError;
    }
    const QString target = QFile::decodeName(QByteArray::fromStdString(path));
    ReportSource source{evaluation, session.calculator(),
                        QFile::decodeName(QByteArray::fromStdString(session.lastLoadedPath()))};
    source.placeName = QString::fromStdString(session.placeName());
    source.spread = spread;
    const QuietQt quiet;
    const auto application = QCoreApplication::instance() == nullptr
                                 ? std::make_unique<OffscreenApplication>()
                                 : nullptr;
    if (!writeReportPdf(target, source)) {
        return "Der Bericht konnte nicht geschrieben werden";  // the caller names the file
    }
    return message;
}

}  // namespace lumetra::cli
