// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include "evaluation_port/EvaluationPort.h"

namespace lumetra {

// The module's file name, and where a program in `programFolder` looks for it: in the library
// folder of an installation beside the program's folder, beside the program, and, for a program
// of the build tree, where the build tree's module was built.
inline constexpr char kEvaluationModuleFileName[] = "lumetra-evaluation.so";
QStringList evaluationModuleCandidates(const QString& programFolder);

// The Auswertung module (the window, its charts, exports and printing), loaded once and never
// unloaded: windows made by it may live until the program ends.
class EvaluationModule {
  public:
    // The module from the first of `candidates` that exists, loaded on the first call; later
    // calls return the same. Nothing, with the reason in `error`, when no candidate exists or
    // the file is not a module of this build; a later call tries again.
    static const EvaluationModule* load(const QStringList& candidates, QString* error);

    EvaluationWindowPort* createWindow(const EvaluationWindowContext& context) const {
        return createWindow_(context);
    }
    bool writeReportPdf(const QString& path, const ReportSource& source) const {
        return writeReportPdf_(path, source);
    }
    const QString& fileName() const { return fileName_; }

  private:
    QString fileName_;
    CreateEvaluationWindowFunction createWindow_ = nullptr;
    WriteReportPdfFunction writeReportPdf_ = nullptr;
};

}  // namespace lumetra
