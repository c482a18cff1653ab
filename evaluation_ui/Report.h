// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include "evaluation_port/EvaluationPort.h"

class QPagedPaintDevice;

namespace lumetra {

// The report's pages.
inline constexpr int kReportPages = 3;

// The report on A4 pages: page 1 the inputs, the module fields and the key figures of both
// models; page 2 the charts; page 3 the money over the years with its table. Paints the pages
// `firstPage` to `lastPage` (as a print dialog's page range gives them) onto a PDF writer or a
// printer; returns the number of pages painted, 0 when painting could not start or finish.
int paintReport(QPagedPaintDevice& device, const ReportSource& source, int firstPage = 1,
                int lastPage = kReportPages);

// The report as a PDF file written with Qt's own PDF writer; false when it could not be
// written (an existing file is then left as it was).
bool writeReportPdf(const QString& path, const ReportSource& source);

}  // namespace lumetra
