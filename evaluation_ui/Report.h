// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <climits>

#include "evaluation_port/EvaluationPort.h"

class QPagedPaintDevice;

namespace lumetra {

// The report on A4 pages: first the inputs, the module fields and the key figures of both
// models; on the next page the charts; on the next the money over the years with every year
// of its table. A table longer than its page goes on over the next pages, so the report has
// three pages or more (reportPageCount). Paints the pages `firstPage` to `lastPage` (as a
// print dialog's page range gives them) onto a PDF writer or a printer; returns the number of
// pages painted, 0 when painting could not start or finish.
int paintReport(QPagedPaintDevice& device, const ReportSource& source, int firstPage = 1,
                int lastPage = INT_MAX);

// The number of pages of the source's report.
int reportPageCount(const ReportSource& source);

// The report (or the pages `firstPage` to `lastPage` of it) as a PDF file: made in memory
// with Qt's own PDF writer, then written by writeExportFile. False when it could not be
// written (an existing file is then left as it was).
bool writeReportPdf(const QString& path, const ReportSource& source, int firstPage = 1,
                    int lastPage = INT_MAX);

}  // namespace lumetra
