// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

namespace lumetra {

// Shares of the year's total that fall on each month, January .. December of the northern
// hemisphere. South of the equator every distribution is moved by six months. The columns are
// used as they stand, without normalising (the irradiation shares sum to 1.000002).

// Share of the annual irradiation at the reference latitude (50.5 degrees).
inline constexpr std::array<double, 12> kIrradiationShare = {
    0.023337, 0.043339, 0.094915, 0.128057, 0.128841, 0.12943,
    0.132567, 0.121978, 0.091189, 0.060793, 0.027259, 0.018297,
};

inline constexpr std::array<double, 12> kHeatingShare = {
    0.2, 0.185714, 0.132143, 0.067857, 0.017857, 0, 0, 0, 0, 0.060714, 0.128571, 0.207143,
};

inline constexpr std::array<double, 12> kCoolingShare = {
    0, 0, 0, 0, 0.123077, 0.246154, 0.261538, 0.246154, 0.123077, 0, 0, 0,
};

// Months between the northern index of a share and the month it lands on at a latitude.
inline constexpr int seasonShift(double latitude) {
    return latitude < 0 ? 6 : 0;
}

}  // namespace lumetra
