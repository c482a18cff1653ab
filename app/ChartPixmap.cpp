// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ChartPixmap.h"

#include <algorithm>
#include <cmath>

#include "app/ImageConversion.h"
#include "support/Resample.h"

namespace lumetra {

namespace {

// A ratio a hair above a whole number comes from rounding, not from a larger screen.
constexpr qreal kRatioTolerance = 1e-3;
constexpr int kLargestFactor = 8;

}  // namespace

int chartPixelFactor(qreal devicePixelRatio) {
    if (!(devicePixelRatio > 1)) {
        return 1;
    }
    const qreal rounded = std::ceil(devicePixelRatio - kRatioTolerance);
    return rounded >= kLargestFactor ? kLargestFactor : std::max(1, static_cast<int>(rounded));
}

QPixmap chartPixmap(const Image24& logicalChart, qreal devicePixelRatio) {
    if (logicalChart.isEmpty()) {
        return {};
    }
    int factor = chartPixelFactor(devicePixelRatio);
    // An enlargement beyond what an image may hold falls back to a smaller factor: a coarser
    // chart rather than none.
    const long long pixels = static_cast<long long>(logicalChart.width()) * logicalChart.height();
    while (factor > 1 && pixels * factor * factor > Image24::kMaxPixels) {
        --factor;
    }
    const Image24 enlarged = factor == 1
                                 ? logicalChart
                                 : resampleNearest(logicalChart, logicalChart.width() * factor,
                                                   logicalChart.height() * factor);
    const QImage converted = toQImage(enlarged);
    if (converted.isNull()) {
        return {};
    }
    QPixmap pixmap = QPixmap::fromImage(converted);
    if (!pixmap.isNull()) {
        pixmap.setDevicePixelRatio(factor);
    }
    return pixmap;
}

}  // namespace lumetra
