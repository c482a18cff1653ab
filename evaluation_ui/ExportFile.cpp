// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation_ui/ExportFile.h"

#include <QFile>

#include <filesystem>
#include <string_view>

#include "persistence/FileAccess.h"

namespace lumetra {

bool writeExportFile(const QString& path, const QByteArray& bytes) {
    if (path.isEmpty()) {
        return false;
    }
#ifdef Q_OS_WIN
    const std::filesystem::path target(path.toStdWString());
#else
    const QByteArray encoded = QFile::encodeName(path);
    const std::filesystem::path target(
        std::string(encoded.constData(), static_cast<std::size_t>(encoded.size())));
#endif
    return writeFileReplacing(
        target, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

}  // namespace lumetra
