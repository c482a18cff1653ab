// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation_ui/HourlyCsvExport.h"

#include "evaluation/Evaluation.h"
#include "evaluation_ui/ExportFile.h"

namespace lumetra {

bool writeHourlyCsvExport(const QString& path, const evaluation::Evaluation& evaluation,
                          simulation::CsvFormat format) {
    const simulation::HourlyResult* result = evaluation.hourlyResult();
    if (result == nullptr) {
        return false;
    }
    const std::string text = simulation::hourlyCsv(*result, format);
    return writeExportFile(
        path, QByteArray::fromRawData(text.data(), static_cast<qsizetype>(text.size())));
}

}  // namespace lumetra
