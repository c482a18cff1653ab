// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

namespace lumetra::evaluation {
struct Percentiles;
struct Spread;
}  // namespace lumetra::evaluation

namespace lumetra {

// One key figure over the simulated homes: its label and its range.
struct SpreadRow {
    QString label;  // "Autarkiegrad, 30 Haushalte"
    QString range;  // "28,1–31,4 % (Median 29,7)"
};

// "p10–p90 unit (Median p50)"; the fractions of `percent` shown in percent.
QString percentileRange(const evaluation::Percentiles& values, int decimals, const QString& unit,
                        bool percent);

// Self-sufficiency, self-consumption share and net present value over the homes.
QList<SpreadRow> spreadRows(const evaluation::Spread& spread);

// What the ranges mean, one sentence for the key figures and the report.
QString spreadExplanation(int homes);

}  // namespace lumetra
