// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <climits>

#include "evaluation_port/EvaluationPort.h"

class QPagedPaintDevice;

namespace lumetra {

// The report on A4 pages: first the site, the date, the installation in one line and the
// verdict on each variant (without a battery, with it, with the best one) with the comparison;
// then the assumptions, their sources, the module fields and the key figures of both models;
// then the charts that have something to show; then the money over the years with every year
// of its table. Each part begins on a page of its own and a table longer than its page goes on
// over the next, so the report has four pages or more (reportPageCount); each page is
// numbered. Paints the pages `firstPage` to `lastPage` (as a
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
