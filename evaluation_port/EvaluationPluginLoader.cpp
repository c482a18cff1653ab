// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation_port/EvaluationPluginLoader.h"

#include <QDir>
#include <QFileInfo>
#include <QPluginLoader>

#include "evaluation_port/EvaluationPlugin.h"

namespace lumetra {

QStringList evaluationPluginCandidates(const QString& programFolder) {
    QStringList candidates;
    if (!programFolder.isEmpty()) {
        const QDir folder(programFolder);
        candidates << QDir::cleanPath(folder.filePath(QStringLiteral(LUMETRA_PLUGIN_RELATIVE_DIR) +
                                                      QLatin1Char('/') +
                                                      QLatin1String(kEvaluationPluginFileName)));
        candidates << folder.filePath(QLatin1String(kEvaluationPluginFileName));
    }
#ifdef LUMETRA_BUILD_PLUGIN_PATH
    // Only a program of the build tree takes the plugin of the build tree: an installed one
    // must never run a plugin of another build.
    const QString buildTree = QDir::cleanPath(QStringLiteral(LUMETRA_BUILD_TREE));
    if (QDir::cleanPath(programFolder).startsWith(buildTree + QLatin1Char('/'))) {
        candidates << QStringLiteral(LUMETRA_BUILD_PLUGIN_PATH);
    }
#endif
    return candidates;
}

EvaluationPlugin* loadEvaluationPlugin(const QStringList& candidates, QString* error) {
    QString fault;
    for (const QString& candidate : candidates) {
        if (!QFileInfo(candidate).isFile()) {
            continue;
        }
        QPluginLoader loader(candidate);
        loader.setLoadHints(QLibrary::PreventUnloadHint);
        // The id is read from the file without loading it: a plugin of another build is refused
        // before any of its code runs.
        const QString iid = loader.metaData().value(QStringLiteral("IID")).toString();
        if (iid.isEmpty()) {
            fault = QStringLiteral("%1 lässt sich nicht laden: %2")
                        .arg(QDir::toNativeSeparators(candidate), loader.errorString());
            break;
        }
        if (iid != QLatin1String(LUMETRA_EVALUATION_PLUGIN_IID)) {
            fault = QStringLiteral("%1 ist kein Auswertungsmodul dieses Programms")
                        .arg(QDir::toNativeSeparators(candidate));
            break;
        }
        auto* plugin = qobject_cast<EvaluationPlugin*>(loader.instance());
        if (plugin == nullptr) {
            fault = QStringLiteral("%1 lässt sich nicht laden: %2")
                        .arg(QDir::toNativeSeparators(candidate), loader.errorString());
            break;
        }
        return plugin;
    }
    if (fault.isEmpty()) {
        QStringList shown;
        for (const QString& candidate : candidates) {
            shown << QDir::toNativeSeparators(candidate);
        }
        fault =
            QStringLiteral("Das Auswertungsmodul %1 wurde nicht gefunden (gesucht: %2)")
                .arg(QLatin1String(kEvaluationPluginFileName), shown.join(QStringLiteral(", ")));
    }
    if (error != nullptr) {
        *error = fault;
    }
    return nullptr;
}

}  // namespace lumetra
