// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "evaluation/MoneyModel.h"

namespace lumetra::evaluation {

// A number of years as a German sentence needs it: "1 Jahr" for exactly one, otherwise
// "Jahre" where the years are the subject or object ("Betrachtungsdauer: 20 Jahre", also
// "1,5 Jahre") and "Jahren" after a preposition that asks for the dative ("nach 20 Jahren",
// "innerhalb von 20 Jahren").
enum class GrammaticalCase { Nominative, Dative };
std::string yearsText(double years, int decimals, GrammaticalCase grammaticalCase);

// The payback as the Auswertung shows it: "sofort" when there was nothing to pay back,
// "nach 11,9 Jahren", or "nicht innerhalb von 20 Jahren" when the cumulative cash flow stays
// negative over the `years` looked at.
std::string paybackText(const MoneyResult& result, int years);

// The label of the net present value: "Kapitalwert nach 20 Jahren", "Kapitalwert nach 1 Jahr".
std::string netPresentValueLabel(int years);

// An input's value with its unit as the window and the report show it: "1.500 Euro/kWp",
// "20 Jahre", "1 Jahr", "0,50 C", "keine" for a limit that does not limit. For an input that
// follows the main window the value in use (`main`).
std::string inputText(const EvaluationInputs& inputs, InputId id,
                      const MainWindowInputs& main = {});

}  // namespace lumetra::evaluation
