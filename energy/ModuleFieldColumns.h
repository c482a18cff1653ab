// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

namespace lumetra {

// Columns of the module-field table, numbered as the table numbers them. Column 0 is the
// hidden tree column and holds no text.
enum ModuleFieldColumn : int {
    ColumnWidth = 1,    // "Breite", m
    ColumnHeight = 2,   // "Höhe", m
    ColumnArea = 3,     // "Fläche", m²
    ColumnAzimuth = 4,  // "Ausrichtung", °: 0 south, -90 east, 90 west, ±180 north
    ColumnTilt = 5,     // "Winkel", °: 0 flat, 90 wall
    ColumnPower = 6,    // "Leistung (peek)", Wp, computed
    ColumnYield = 7,    // "Ertrag", kWh, computed
};

inline constexpr int kFirstInputColumn = ColumnWidth;
inline constexpr int kLastInputColumn = ColumnTilt;
inline constexpr int kModuleFieldColumnCount = 8;  // including the tree column

// The texts offered by the editors of the "Ausrichtung" and "Winkel" columns, each ended by a
// null entry. A label in parentheses, a no-break space (U+00A0), then the value.
inline constexpr std::array<const char*, 9> kOrientationPresets = {
    "(Norden)\u00A0 180°",   "(Nordwesten)\u00A0 135°", "(Westen)\u00A0  90°",
    "(Südwesten)\u00A0 45°", "(Süden)\u00A0 0°",        "(Südosten)\u00A0 -45°",
    "(Osten)\u00A0 -90°",    "(Nordosten)\u00A0 -135°", nullptr,
};
inline constexpr std::array<const char*, 4> kTiltPresets = {
    "(Flachdach)\u00A0 0°",
    "(Normaldach)\u00A0 30°",
    "(Hauswand)\u00A0 90°",
    nullptr,
};

}  // namespace lumetra
