// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation_port/EvaluationModule.h"

#include <QDir>
#include <QFileInfo>
#include <QLibrary>

#include <cstring>
#include <memory>
#include <mutex>

namespace lumetra {

QStringList evaluationModuleCandidates(const QString& programFolder) {
    QStringList candidates;
    if (!programFolder.isEmpty()) {
        const QDir folder(programFolder);
        candidates << QDir::cleanPath(folder.filePath(QStringLiteral(LUMETRA_MODULE_RELATIVE_DIR) +
                                                      QLatin1Char('/') +
                                                      QLatin1String(kEvaluationModuleFileName)));
        candidates << folder.filePath(QLatin1String(kEvaluationModuleFileName));
    }
#ifdef LUMETRA_BUILD_MODULE_PATH
    // Only a program of the build tree takes the module of the build tree: an installed one
    // must never run a module of another build.
    const QString buildTree = QDir::cleanPath(QStringLiteral(LUMETRA_BUILD_TREE));
    if (QDir::cleanPath(programFolder).startsWith(buildTree + QLatin1Char('/'))) {
        candidates << QStringLiteral(LUMETRA_BUILD_MODULE_PATH);
    }
#endif
    return candidates;
}

const EvaluationModule* EvaluationModule::load(const QStringList& candidates, QString* error) {
    static std::mutex mutex;
    static std::unique_ptr<EvaluationModule> loaded;
    const std::lock_guard lock(mutex);
    if (loaded != nullptr) {
        return loaded.get();
    }

    QString fault;
    for (const QString& candidate : candidates) {
        if (!QFileInfo(candidate).isFile()) {
            continue;
        }
        // Windows made by the module may live until the program ends.
        QLibrary library(candidate);
        library.setLoadHints(QLibrary::PreventUnloadHint);
        if (!library.load()) {
            fault = QStringLiteral("%1 lässt sich nicht laden: %2")
                        .arg(QDir::toNativeSeparators(candidate), library.errorString());
            break;
        }
        const auto key = reinterpret_cast<EvaluationModuleKeyFunction>(
            library.resolve(kEvaluationModuleKeySymbol));
        auto module = std::make_unique<EvaluationModule>();
        module->fileName_ = candidate;
        module->createWindow_ = reinterpret_cast<CreateEvaluationWindowFunction>(
            library.resolve(kCreateEvaluationWindowSymbol));
        module->writeReportPdf_ =
            reinterpret_cast<WriteReportPdfFunction>(library.resolve(kWriteReportPdfSymbol));
        if (key == nullptr || std::strcmp(key(), kEvaluationModuleKey) != 0 ||
            module->createWindow_ == nullptr || module->writeReportPdf_ == nullptr) {
            fault = QStringLiteral("%1 ist kein Auswertungsmodul dieser Version von Lumetra")
                        .arg(QDir::toNativeSeparators(candidate));
            break;
        }
        loaded = std::move(module);
        return loaded.get();
    }
    if (fault.isEmpty()) {
        QStringList shown;
        for (const QString& candidate : candidates) {
            shown << QDir::toNativeSeparators(candidate);
        }
        fault =
            QStringLiteral("Das Auswertungsmodul %1 wurde nicht gefunden (gesucht: %2)")
                .arg(QLatin1String(kEvaluationModuleFileName), shown.join(QStringLiteral(", ")));
    }
    if (error != nullptr) {
        *error = fault;
    }
    return nullptr;
}

}  // namespace lumetra
