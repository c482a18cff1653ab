// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

namespace lumetra::evaluation {
struct Spread;
}  // namespace lumetra::evaluation

namespace lumetra {

// One key figure over the simulated homes: its label and its range.
struct SpreadRow {
    QString label;  // "Autarkiegrad, 30 Haushalte"
    QString range;  // "28,1–31,4 % (Median 29,7 %)"
};

// Self-sufficiency, self-consumption share and net present value over the homes, as the key
// figures and the report show them.
QList<SpreadRow> spreadRows(const evaluation::Spread& spread);

// What the ranges mean, one sentence.
QString spreadExplanationText(int homes);

}  // namespace lumetra
