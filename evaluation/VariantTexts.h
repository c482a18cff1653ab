// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "evaluation/Variants.h"

namespace lumetra::evaluation {

// The comparison of the variants as the window's "Vergleich" and the report show it: one row
// per figure, a text per variant ("ohne Speicher", "mit Speicher", "bester Speicher").
struct VariantRow {
    std::string label;
    std::string withoutBattery;
    std::string withBattery;
    std::string bestBattery;
};

// The column titles, the battery sizes in them: "ohne Speicher", "mit Speicher (4,0 kWh)",
// "bester Speicher (3,0 kWh)"; without a battery "mit Speicher (keiner gewählt)", "bester
// Speicher (keiner)".
std::vector<std::string> variantTitles(const Variants& variants);

// Battery, self-sufficiency, self-consumption share, curtailed energy, investment, payback, net
// present value, cost per kWh, and what the battery alone adds (its payback and its net present
// value; "–" without a battery). `years`: the years looked at.
std::vector<VariantRow> variantRows(const Variants& variants, int years);

// The verdict on one variant in a sentence with its figures, for example «Mit Speicher
// (4,0 kWh): amortisiert nach 9,8 Jahren, Kapitalwert nach 20 Jahren 6.123 Euro, Autarkiegrad
// 62 %; der Speicher allein amortisiert sich nicht innerhalb von 20 Jahren (Kapitalwert
// -1.234 Euro).»
std::string variantVerdict(const std::string& title, const Variant& variant, int years);

// The verdict on the whole comparison: which variant is worth most over the years, or that
// none pays back within them.
std::string overallVerdict(const Variants& variants, int years);

}  // namespace lumetra::evaluation
