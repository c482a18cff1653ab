// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <filesystem>
#include <optional>

namespace lumetra::test {

// What poppler reads from a PDF: its information (pages, page size) and its text in layout.
struct PdfContents {
    QString info;
    QString text;
};
// Nothing when poppler-utils is not installed.
std::optional<PdfContents> readPdf(const std::filesystem::path& pdf);
// The number of pages pdfinfo counts (0 when it names none).
int pdfPageCount(const PdfContents& contents);
// Whether every page of the PDF carries its number out of the report's `reportPages`
// ("Seite 2 von 6"), from `firstPage` on.
bool pagesAreNumbered(const PdfContents& contents, int firstPage, int reportPages);

}  // namespace lumetra::test
