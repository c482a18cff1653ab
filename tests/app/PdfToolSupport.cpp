// SPDX-License-Identifier: GPL-3.0-or-later
#include "PdfToolSupport.h"

#include "FileDialogSupport.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringList>

namespace lumetra::test {

namespace {

// The output of a poppler tool, with ligatures spelled out; an empty text when it failed,
// nothing when it is not installed.
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

}  // namespace

std::optional<PdfContents> readPdf(const std::filesystem::path& pdf) {
    const auto info = runPdfTool(QStringLiteral("pdfinfo"), {qPath(pdf)});
    const auto text = runPdfTool(QStringLiteral("pdftotext"),
                                 {QStringLiteral("-layout"), qPath(pdf), QStringLiteral("-")});
    if (!info || !text) {
        return std::nullopt;
    }
    return PdfContents{*info, *text};
}

int pdfPageCount(const PdfContents& contents) {
    static const QRegularExpression pages(QStringLiteral("Pages:\\s+(\\d+)"));
    return pages.match(contents.info).captured(1).toInt();
}

bool pagesAreNumbered(const PdfContents& contents, int firstPage, int reportPages) {
    const int pages = pdfPageCount(contents);
    for (int page = firstPage; page < firstPage + pages; ++page) {
        if (!contents.text.contains(QStringLiteral("Seite %1 von %2").arg(page).arg(reportPages))) {
            return false;
        }
    }
    return pages > 0;
}

}  // namespace lumetra::test
