// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace lumetra {

inline constexpr double kPi = 3.14159265358979323846;

// pi / 180: degrees (as the fields and the table hold angles) to radians (as std::cos takes them).
inline constexpr double kDegreesToRadians = 0.017453292519943295;

}  // namespace lumetra
