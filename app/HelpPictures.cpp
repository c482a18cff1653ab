// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/HelpPictures.h"

#include "app/AppResources.h"
#include "app/ImageConversion.h"
#include "support/Resample.h"

namespace lumetra {

int helpPictureResourceId(int helpIndex) {
    if (helpIndex < 0 || helpIndex >= kHelpPictureCount) {
        return kTableHelpPictureIds.back();
    }
    if (helpIndex < kQuantityCount) {
        return kQuantityControls[helpIndex].pictureId;
    }
    return kTableHelpPictureIds[helpIndex - kQuantityCount];
}

std::string_view helpDescription(int helpIndex) {
    if (helpIndex < 0 || helpIndex >= kQuantityInfoCount) {
        return {};
    }
    return kQuantityInfo[helpIndex].description;
}

QSize devicePixelSize(QSize logical, qreal devicePixelRatio) {
    if (!(devicePixelRatio > 0)) {
        devicePixelRatio = 1.0;
    }
    return QSize(qRound(logical.width() * devicePixelRatio),
                 qRound(logical.height() * devicePixelRatio));
}

QPixmap loadScaledHelpPicture(int resourceId, QSize area, qreal devicePixelRatio) {
    const QImage loaded = loadHelpBitmap(resourceId);
    if (loaded.isNull()) {
        return {};
    }
    // Scaled once to the screen's pixels: letting the painter stretch a picture made for the
    // logical size would blur it on a scaled screen.
    const QSize pixels = devicePixelSize(area, devicePixelRatio);
    const Image24 scaled = resampleNearest(fromQImage(loaded), pixels.width(), pixels.height());
    if (scaled.isEmpty()) {
        return {};
    }
    QPixmap pixmap = QPixmap::fromImage(toQImage(scaled));
    pixmap.setDevicePixelRatio(devicePixelRatio > 0 ? devicePixelRatio : 1.0);
    return pixmap;
}

const QPixmap& HelpPictures::picture(int helpIndex) const {
    const int id = helpPictureResourceId(helpIndex);
    auto found = byResource_.find(id);
    if (found == byResource_.end()) {
        found = byResource_.emplace(id, loadScaledHelpPicture(id, area_, devicePixelRatio_)).first;
    }
    return found->second;
}

}  // namespace lumetra
