// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include "evaluation_port/EvaluationPort.h"

class QPagedPaintDevice;

namespace lumetra {

// The report on A4 pages: page 1 the inputs, the module fields and the key figures of both
// models; page 2 the charts; page 3 the money over the years with its table. Paints onto a PDF
// writer or a printer; returns the number of pages, 0 when painting could not start.
int paintReport(QPagedPaintDevice& device, const ReportSource& source);

// The report as a PDF file written with Qt's own PDF writer; false when it could not be
// written (an existing file is then left as it was).
bool writeReportPdf(const QString& path, const ReportSource& source);

}  // namespace lumetra
