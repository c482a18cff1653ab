// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation_ui/ClimateData.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include "simulation/ClimateTables.h"

namespace lumetra {
namespace {

std::filesystem::path fromQt(const QString& path) {
    const QByteArray encoded = QFile::encodeName(path);
    return std::filesystem::path(std::string(encoded.constData(), encoded.size()));
}

}  // namespace

DataSearch windowDataSearch() {
    DataSearch search;
    search.currentDir = fromQt(QDir::currentPath());
    if (QCoreApplication::instance() != nullptr) {
        search.applicationDir = fromQt(QCoreApplication::applicationDirPath());
    }
#ifdef LUMETRA_BUILD_DATA_DIR
    search.buildDataDir = std::filesystem::path(LUMETRA_BUILD_DATA_DIR);
#endif
    return search;
}

std::shared_ptr<const simulation::ClimateTables> loadWindowClimateTables(QString* error) {
    std::string reason;
    auto tables = simulation::loadClimateTables(windowDataSearch(), &reason);
    if (!tables && error != nullptr) {
        *error = QString::fromStdString(reason);
    }
    return tables;
}

}  // namespace lumetra
