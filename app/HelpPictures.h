#pragma once

#include <QPixmap>
#include <QSize>

#include <array>

#include "model/Quantity.h"

namespace lumetra {

// Help indices: 0..41 the quantities, 42..48 the columns 1..7 of the module-field table, 49
// nothing (the neutral picture and no text).
inline constexpr int kHelpPictureCount = 50;
inline constexpr int kFirstColumnHelpIndex = kQuantityCount;  // column 1
inline constexpr int kNoHelpIndex = 49;

// The picture resources of the help indices 42..49: the module-field width, height, area,
// orientation and tilt, then the neutral picture for power, yield and no field.
inline constexpr std::array<int, kHelpPictureCount - kQuantityCount> kTableHelpPictureIds = {
    139, 140, 141, 142, 143, 129, 129, 129};

// The picture resource of a help index.
int helpPictureResourceId(int helpIndex);

// The description shown for a help index; empty for 49 and above.
std::string_view helpDescription(int helpIndex);

using HelpPictures = std::array<QPixmap, kHelpPictureCount>;

// Loads every help picture and scales it nearest-neighbour to exactly `area`. A picture that
// does not load stays a null pixmap.
HelpPictures loadHelpPictures(QSize area);

}  // namespace lumetra
