// SPDX-License-Identifier: GPL-3.0-or-later
// The entry points of the Auswertung module, the only symbols it shows.
#include <QApplication>
#include <QByteArray>

#include <memory>

#include "evaluation_port/EvaluationPort.h"
#include "evaluation_ui/EvaluationWindow.h"
#include "evaluation_ui/Report.h"

namespace {

// The report's charts are graphics widgets: they need the widgets' application. A program
// without one (the command-line tool) gets one for the time of writing, off screen.
class HeadlessApplication {
  public:
    HeadlessApplication() {
        if (QCoreApplication::instance() != nullptr) {
            return;
        }
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
        application_ = std::make_unique<QApplication>(argc_, argv_);
    }
    bool usable() const { return qobject_cast<QApplication*>(QCoreApplication::instance()); }

  private:
    int argc_ = 1;
    char name_[12] = "lumetra-cli";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> application_;
};

}  // namespace

extern "C" {

Q_DECL_EXPORT const char* lumetra_evaluation_module_key() {
    return lumetra::kEvaluationModuleKey;
}

Q_DECL_EXPORT lumetra::EvaluationWindowPort* lumetra_create_evaluation_window(
    const lumetra::EvaluationWindowContext& context) {
    return lumetra::createEvaluationWindow(context);
}

Q_DECL_EXPORT bool lumetra_write_report_pdf(const QString& path,
                                            const lumetra::ReportSource& source) {
    const HeadlessApplication application;
    return application.usable() && lumetra::writeReportPdf(path, source);
}
}

// The entry points have the types the loader resolves them as.
static_assert(
    std::is_same_v<decltype(&lumetra_evaluation_module_key), lumetra::EvaluationModuleKeyFunction>);
static_assert(std::is_same_v<decltype(&lumetra_create_evaluation_window),
                             lumetra::CreateEvaluationWindowFunction>);
static_assert(std::is_same_v<decltype(&lumetra_write_report_pdf), lumetra::WriteReportPdfFunction>);
