// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/SpreadTexts.h"

#include "evaluation/GermanNumber.h"

namespace lumetra::evaluation {

std::string percentRangeText(const Percentiles& p, int decimals) {
    return formatGerman(p.p10 * 100, decimals) + "–" + formatGermanPercent(p.p90, decimals) +
           " (Median " + formatGermanPercent(p.p50, decimals) + ")";
}

std::string euroRangeText(const Percentiles& p) {
    return formatGerman(p.p10, 0) + "–" + formatWithUnit(p.p90, 0, "Euro") + " (Median " +
           formatWithUnit(p.p50, 0, "Euro") + ")";
}

std::string spreadExplanation(int homes) {
    return std::to_string(homes) +
           " simulierte Haushalte gleicher Größe und gleichen Verbrauchs: Je nachdem, wann ein "
           "Haushalt Strom braucht, liegen acht von zehn zwischen den beiden Werten (10. und 90. "
           "Perzentil); der Median teilt sie in zwei Hälften.";
}

std::string otherHomeText(int otherHome) {
    return otherHome == 0 ? "eigener Haushalt" : "Haushalt " + std::to_string(otherHome);
}

std::string householdProfileDescription(const EvaluationInputs& inputs,
                                        simulation::HouseholdLoad used) {
    std::string text(householdProfileText(inputs.householdProfile));
    if (inputs.householdProfile == HouseholdProfile::Simulated &&
        used == simulation::HouseholdLoad::Simulated) {
        return text + ", " + otherHomeText(inputs.otherHome);
    }
    if (inputs.householdProfile == HouseholdProfile::Measured &&
        used == simulation::HouseholdLoad::Measured) {
        return text + (inputs.measuredLoad.scaledToAnnual ? ", auf den Jahresverbrauch skaliert"
                                                          : ", wie gemessen");
    }
    if (used == simulation::HouseholdLoad::Simulated) {
        return text + " – nicht lesbar, es rechnet der simulierte Einzelhaushalt (" +
               otherHomeText(inputs.otherHome) + ")";
    }
    if (used == simulation::HouseholdLoad::Standard &&
        inputs.householdProfile != HouseholdProfile::Standard) {
        return text + " – ohne Tabellen des Haushaltsmodells, es rechnet das Standardlastprofil";
    }
    return text;
}

}  // namespace lumetra::evaluation
