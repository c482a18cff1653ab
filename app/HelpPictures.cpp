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

QPixmap loadScaledHelpPicture(int resourceId, QSize area) {
    const QImage loaded = loadHelpBitmap(resourceId);
    if (loaded.isNull()) {
        return {};
    }
    const Image24 scaled = resampleNearest(fromQImage(loaded), area.width(), area.height());
    if (scaled.isEmpty()) {
        return {};
    }
    return QPixmap::fromImage(toQImage(scaled));
}

const QPixmap& HelpPictures::picture(int helpIndex) const {
    const int id = helpPictureResourceId(helpIndex);
    auto found = byResource_.find(id);
    if (found == byResource_.end()) {
        found = byResource_.emplace(id, loadScaledHelpPicture(id, area_)).first;
    }
    return found->second;
}

}  // namespace lumetra
