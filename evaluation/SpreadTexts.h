// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "evaluation/EvaluationInputs.h"
#include "evaluation/Spread.h"
#include "simulation/HouseholdLoad.h"

namespace lumetra::evaluation {

// A spread as the key figures and the report show it: "27,8–31,2 % (Median 29,5 %)" for
// fractions, "3.587–4.356 Euro (Median 3.972 Euro)" for money.
std::string percentRangeText(const Percentiles& p, int decimals = 1);
std::string euroRangeText(const Percentiles& p);

// What the ranges mean: "30 simulierte Haushalte gleicher Größe und gleichen Verbrauchs: ..."
std::string spreadExplanation(int homes);

// The household's load as the report and the key figures name it: the choice, which home
// ("eigener Haushalt" or "Haushalt 3"), and what stood in when the choice could not be used.
std::string householdProfileDescription(const EvaluationInputs& inputs,
                                        simulation::HouseholdLoad used);

// "eigener Haushalt" for 0, else "Haushalt n" (the button "Anderer Haushalt" counts on).
std::string otherHomeText(int otherHome);

}  // namespace lumetra::evaluation
