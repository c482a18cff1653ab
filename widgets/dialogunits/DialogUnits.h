// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QRect>

namespace lumetra {

// The base units of a dialog font, in pixels: the average width of the 52 Latin letters
// (rounded as dialog templates round it) and the font's height.
struct DialogBaseUnits {
    int x = 0;
    int y = 0;
};

// The font the dialogs are laid out in: "MS Sans Serif" 8 where it exists, else the platform's
// sans-serif user-interface font at 8 points.
QFont dialogFont();

DialogBaseUnits dialogBaseUnits(const QFont& font);

// Dialog units to pixels: x px = du x base.x / 4, y px = du x base.y / 8, rounded.
int dialogUnitsToPixelsX(int du, DialogBaseUnits base);
int dialogUnitsToPixelsY(int du, DialogBaseUnits base);
QRect dialogUnitsToPixels(const QRect& du, DialogBaseUnits base);

}  // namespace lumetra
