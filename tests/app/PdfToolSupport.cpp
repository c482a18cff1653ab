// SPDX-License-Identifier: GPL-3.0-or-later
#include "PdfToolSupport.h"

#include <QProcess>
#include <QStandardPaths>

namespace lumetra::test {

QString qPath(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

std::optional<QString> runPdfTool(const QString& tool, const QStringList& arguments) {
    if (QStandardPaths::findExecutable(tool).isEmpty()) {
        return std::nullopt;
    }
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        return QString();
    }
    // The PDF's fonts set "fi" and "fl" as ligatures; compatibility normalisation spells them.
    return QString::fromUtf8(process.readAllStandardOutput())
        .normalized(QString::NormalizationForm_KC);
}

}  // namespace lumetra::test
