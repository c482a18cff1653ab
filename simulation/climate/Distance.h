// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace lumetra::simulation {

// The great-circle distance between two points on a sphere of the Earth's mean radius
// (6371 km), km, by the haversine formula.
double greatCircleDistance_km(double latitude1_deg, double longitude1_deg, double latitude2_deg,
                              double longitude2_deg);

}  // namespace lumetra::simulation
