// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ImageConversion.h"

#include <cstring>

namespace lumetra {

QImage toQImage(const Image24& image) {
    if (image.isEmpty()) {
        return {};
    }
    // Image24 rows have no padding; QImage rows are 4-byte aligned, so the wrapper gets the
    // exact stride and copy() detaches from the core's buffer.
    return QImage(image.data(), image.width(), image.height(), image.width() * 3,
                  QImage::Format_RGB888)
        .copy();
}

Image24 fromQImage(const QImage& image) {
    if (image.isNull()) {
        return {};
    }
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    Image24 result(rgb.width(), rgb.height(), Rgb{});
    for (int y = 0; y < rgb.height(); ++y) {
        const uchar* row = rgb.constScanLine(y);
        for (int x = 0; x < rgb.width(); ++x) {
            result.setPixel(x, y, Rgb{row[3 * x], row[3 * x + 1], row[3 * x + 2]});
        }
    }
    return result;
}

}  // namespace lumetra
