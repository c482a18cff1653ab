// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

namespace lumetra {

// The latitude for which kOrientationFactors holds; other latitudes are mapped onto an
// equivalent tilt and azimuth there.
inline constexpr double kReferenceLatitude = 50.5;

inline constexpr int kFactorAzimuthSteps = 19;  // rows: azimuth 0, 10, ..., 180 degrees
inline constexpr int kFactorTiltSteps = 10;     // columns: tilt 0, 10, ..., 90 degrees

// Yield factor of a plane at the reference latitude; entry [10 * row + column] holds azimuth
// 10 * row degrees off south and tilt 10 * column degrees from horizontal.
// clang-format off
inline constexpr std::array<double, kFactorAzimuthSteps * kFactorTiltSteps> kOrientationFactors = {
    0.90, 0.97, 0.98, 0.99, 0.99, 0.98, 0.95, 0.88, 0.80, 0.73,  //   0
    0.90, 0.96, 0.97, 0.99, 0.98, 0.98, 0.95, 0.88, 0.80, 0.73,  //  10
    0.90, 0.96, 0.97, 0.99, 0.98, 0.98, 0.94, 0.87, 0.79, 0.72,  //  20
    0.90, 0.96, 0.97, 0.98, 0.98, 0.97, 0.93, 0.86, 0.79, 0.72,  //  30
    0.90, 0.95, 0.97, 0.98, 0.98, 0.95, 0.91, 0.85, 0.78, 0.72,  //  40
    0.90, 0.94, 0.96, 0.97, 0.95, 0.92, 0.89, 0.84, 0.77, 0.71,  //  50
    0.90, 0.93, 0.93, 0.94, 0.93, 0.90, 0.86, 0.81, 0.74, 0.69,  //  60
    0.90, 0.92, 0.93, 0.92, 0.90, 0.87, 0.83, 0.78, 0.72, 0.66,  //  70
    0.90, 0.90, 0.90, 0.89, 0.86, 0.83, 0.79, 0.75, 0.69, 0.63,  //  80
    0.90, 0.89, 0.88, 0.86, 0.82, 0.79, 0.75, 0.71, 0.65, 0.60,  //  90
    0.90, 0.88, 0.84, 0.84, 0.81, 0.77, 0.73, 0.68, 0.62, 0.57,  // 100
    0.90, 0.88, 0.84, 0.80, 0.73, 0.72, 0.67, 0.62, 0.57, 0.52,  // 110
    0.90, 0.87, 0.82, 0.77, 0.73, 0.67, 0.61, 0.57, 0.52, 0.48,  // 120
    0.90, 0.87, 0.80, 0.74, 0.68, 0.63, 0.58, 0.52, 0.48, 0.45,  // 130
    0.90, 0.86, 0.79, 0.72, 0.64, 0.58, 0.53, 0.48, 0.45, 0.42,  // 140
    0.90, 0.86, 0.78, 0.70, 0.62, 0.55, 0.50, 0.45, 0.42, 0.38,  // 150
    0.90, 0.85, 0.77, 0.68, 0.59, 0.52, 0.46, 0.42, 0.38, 0.32,  // 160
    0.90, 0.85, 0.76, 0.67, 0.58, 0.51, 0.43, 0.41, 0.35, 0.31,  // 170
    0.90, 0.84, 0.76, 0.66, 0.57, 0.50, 0.42, 0.40, 0.33, 0.30,  // 180
};
// clang-format on

// The dimensionless factor (0.30 .. 0.99) by which the ideal yield of a plane is multiplied.
// tilt: degrees from horizontal (0 flat, 90 wall); azimuth: degrees off south (-90 east,
// 90 west, ±180 north); latitude: degrees, negative south of the equator. Any value is
// accepted; out-of-range angles are clamped.
double orientationFactor(double tilt, double azimuth, double latitude);

}  // namespace lumetra
