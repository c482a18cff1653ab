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

}  // namespace lumetra::test
