// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "simulation/HourlyBalance.h"

namespace lumetra::evaluation {

// The compass direction of an azimuth as the module-field table counts it (0 = south, east
// negative): the nearest of eight, "Süden", "Südwesten", "Westen", ...
std::string directionName(double azimuth_deg);

// The installation of an hourly input in one line, for example «5,0 kWp (Süden, 35°),
// Speicher 4,0 kWh, Verbrauch 4.000 kWh/Jahr, Einspeisegrenze 60 %»: the peak power and the
// fields' directions and tilts (up to three fields, else their number), the battery, the
// demand of a year, and the grid connection's limits where there are any.
std::string systemSummary(const simulation::SimulationInput& input);

}  // namespace lumetra::evaluation
