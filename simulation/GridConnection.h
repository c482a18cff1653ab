// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace lumetra::simulation {

// What the installation may give off: the inverter's AC power, and the share of its peak
// power it may feed into the grid. In Germany a new installation without a smart-meter gateway
// feeds in at most 60 % of its peak power (since 25 February 2025; before 2023 it was 70 %).
struct GridConnection {
    double feedInLimit_fraction = 1;  // of the peak power (kWp) fed in at most; 1 = no limit
    double inverterPower_kW = 0;      // AC power the inverter delivers at most; 0 = no limit

    bool operator==(const GridConnection&) const = default;
};

}  // namespace lumetra::simulation
