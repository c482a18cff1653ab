// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation_ui/HourlyCsvExport.h"

#include <QSaveFile>

#include "evaluation/Evaluation.h"
#include "simulation/HourlyCsv.h"

namespace lumetra {

bool writeHourlyCsvExport(const QString& path, const evaluation::Evaluation& evaluation) {
    const simulation::HourlyResult* result = evaluation.hourlyResult();
    if (result == nullptr) {
        return false;
    }
    const std::string text = simulation::hourlyCsv(*result);
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) &&
           file.write(text.data(), static_cast<qint64>(text.size())) ==
               static_cast<qint64>(text.size()) &&
           file.commit();
}

}  // namespace lumetra
