// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QSize>

#include <array>
#include <map>
#include <string_view>

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

// The 50 help pictures, scaled nearest-neighbour to exactly the help-picture area, drawn at the
// screen's device pixel ratio so that they stay sharp on scaled screens. Each
// picture resource is loaded and scaled once, the first time a help index needs it, and kept;
// entries that share a resource share the pixmap. Decoding every picture before the window
// shows would more than double the time the program takes to open.
class HelpPictures {
  public:
    // `area` in device-independent pixels; the pictures hold area x devicePixelRatio pixels.
    explicit HelpPictures(QSize area, qreal devicePixelRatio = 1.0)
        : area_(area), devicePixelRatio_(devicePixelRatio) {}

    QSize area() const { return area_; }
    qreal devicePixelRatio() const { return devicePixelRatio_; }

    // The picture of a help index; a null pixmap when its resource does not load.
    const QPixmap& picture(int helpIndex) const;

  private:
    QSize area_;
    qreal devicePixelRatio_;
    mutable std::map<int, QPixmap> byResource_;
};

// Loads one picture resource and scales it nearest-neighbour to exactly `area` (device-
// independent pixels) at the given device pixel ratio; a null pixmap when it does not load.
QPixmap loadScaledHelpPicture(int resourceId, QSize area, qreal devicePixelRatio = 1.0);

// The size in device pixels of `logical` device-independent pixels at `devicePixelRatio`.
QSize devicePixelSize(QSize logical, qreal devicePixelRatio);

}  // namespace lumetra
