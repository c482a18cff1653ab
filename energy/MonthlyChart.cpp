// SPDX-License-Identifier: GPL-3.0-or-later
#include "energy/MonthlyChart.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

#include "support/BitmapFont.h"
#include "support/TextFormat.h"

namespace lumetra {

namespace {

constexpr Rgb kBackground{255, 255, 255};
constexpr Rgb kGrey{128, 128, 128};
constexpr Rgb kBlue{0, 0, 222};
constexpr Rgb kTeal{0, 128, 128};
constexpr Rgb kGreen{0, 222, 0};
constexpr Rgb kRed{200, 0, 0};
constexpr Rgb kDarkRed{100, 0, 0};

constexpr std::array<std::string_view, 12> kMonthNames = {"Jan", "Feb", "Mar", "Apr", "Mai", "Jun",
                                                          "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};

constexpr int kBarWidth = 11;
constexpr int kTextOffset = 5;  // text centre from the bar's left column
constexpr int kNameTop = 2;     // top of the month names
constexpr int kAxisX = 5;       // column of the vertical axis
constexpr int kAxisTop = 16;    // first row of the vertical axis
constexpr int kHorizontalAxisLength = 370;

// The truncated integer part of a scaled figure, as a pixel count. Figures far beyond the
// image (and values that are not finite) would overflow an int; everything beyond the limit is
// clipped away anyway, so they are held to it, and NaN counts as 0.
int truncatedPixels(double value) {
    constexpr double kLimit = 1e9;
    if (std::isnan(value)) {
        return 0;
    }
    return static_cast<int>(std::clamp(value, -kLimit, kLimit));
}

}  // namespace

Image24 drawMonthlyChart(const MonthlyFigures& figures, int width, int height) {
    Image24 image(width, height, kBackground);
    if (image.isEmpty()) {
        return image;
    }

    const int pitch = (width - 10) / 12;
    // A chart area lower than 32 pixels leaves no plot; a negative plot height would turn the
    // scale negative and draw the bars upside down, so it counts as 0.
    const int plotHeight = std::max(height - 32, 0);
    const int baseRow = height - 18;

    const double scaleYield =
        figures.maxMonthlyYield > 0 ? plotHeight / figures.maxMonthlyYield * 0.95 : 1.0;
    const double scaleConsumption = figures.maxMonthlyConsumption > 0
                                        ? plotHeight / figures.maxMonthlyConsumption * 0.95
                                        : 1e12;
    const double scale =
        scaleConsumption >= scaleYield ? scaleYield : std::max(scaleConsumption, scaleYield / 2);

    for (int i = 0; i < 12; ++i) {
        const int x = pitch / 2 + i * pitch;
        drawText(image, x + kTextOffset, kNameTop, kMonthNames[static_cast<std::size_t>(i)], kGrey);
    }

    for (int i = 0; i < 12; ++i) {
        const auto month = static_cast<std::size_t>(i);
        const int x = pitch / 2 + i * pitch;
        const double yield = figures.monthlyYield[month];

        drawText(image, x + kTextOffset, height - 14, formatString("%.0f", yield),
                 i % 2 == 0 ? kBlue : kTeal);

        // Bars stand on the base row and grow upward; a negative yield hangs below it.
        image.fillRect(x, baseRow, kBarWidth, -truncatedPixels(scale * yield), kBlue);

        const double selfUse = figures.monthlySelfUse[month];
        if (selfUse > 0) {
            image.fillRect(x, baseRow, kBarWidth, -truncatedPixels(scale * selfUse), kGreen);
        }

        const double consumption = figures.monthlyConsumption[month];
        if (consumption > 0) {
            const int mark = truncatedPixels(scale * consumption);
            if (mark <= plotHeight) {
                image.fillRect(x, baseRow - mark, kBarWidth, 1, kRed);
            } else {
                image.fillRect(x, baseRow - plotHeight, kBarWidth, 1, kDarkRed);
            }
        }
    }

    const int axisRows = height - 17 - kAxisTop + 1;
    if (axisRows > 0) {
        image.fillRect(kAxisX, kAxisTop, 1, axisRows, kGrey);
    }
    image.fillRect(kAxisX, height - 17, kHorizontalAxisLength, 1, kGrey);
    return image;
}

}  // namespace lumetra
