// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <filesystem>
#include <optional>

namespace lumetra::test {

QString qPath(const std::filesystem::path& path);

// The output of a poppler tool (pdfinfo, pdftotext), with ligatures spelled out; an empty text
// when it failed, nothing when it is not installed.
std::optional<QString> runPdfTool(const QString& tool, const QStringList& arguments);

}  // namespace lumetra::test
