// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/WindowTitle.h"

#include <QFileInfo>

namespace lumetra {

QString mainWindowTitle(const QString& placeName, const QString& filePath) {
    // A "[*]" in a name would be taken for the mark; Qt shows "[*][*]" as "[*]".
    const auto literal = [](QString text) {
        return text.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    };
    const QString separator = QStringLiteral(" \u2013 ");
    QString title;
    if (!placeName.isEmpty()) {
        title = literal(placeName) + separator;
    }
    if (filePath.isEmpty()) {
        return title + QStringLiteral("Lumetra[*]");
    }
    return title + literal(QFileInfo(filePath).fileName()) + QStringLiteral("[*]") + separator +
           QStringLiteral("Lumetra");
}

}  // namespace lumetra
