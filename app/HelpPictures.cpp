#include "app/HelpPictures.h"

#include <map>

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

HelpPictures loadHelpPictures(QSize area) {
    HelpPictures pictures;
    // Most entries share the neutral picture; each resource is scaled once and the pixmap
    // shared (pixmaps are implicitly shared).
    std::map<int, QPixmap> scaledById;
    for (int index = 0; index < kHelpPictureCount; ++index) {
        const int id = helpPictureResourceId(index);
        auto found = scaledById.find(id);
        if (found == scaledById.end()) {
            QPixmap pixmap;
            const QImage loaded = loadHelpBitmap(id);
            if (!loaded.isNull()) {
                const Image24 scaled =
                    resampleNearest(fromQImage(loaded), area.width(), area.height());
                if (!scaled.isEmpty()) {
                    pixmap = QPixmap::fromImage(toQImage(scaled));
                }
            }
            found = scaledById.emplace(id, pixmap).first;
        }
        pictures[index] = found->second;
    }
    return pictures;
}

}  // namespace lumetra
