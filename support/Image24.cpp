// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/Image24.h"

#include <algorithm>
#include <stdexcept>

namespace lumetra {

namespace {

// One channel of blendPixel. The product is at most 255 * 32, so int is wide enough; adding
// half of 32 in the direction of the difference before the truncating division rounds to the
// nearest value, halves away from zero.
std::uint8_t blendChannel(std::uint8_t old, std::uint8_t target, int weight) {
    const int delta = (static_cast<int>(target) - static_cast<int>(old)) * weight;
    const int step = (delta >= 0 ? delta + 16 : delta - 16) / 32;
    return static_cast<std::uint8_t>(static_cast<int>(old) + step);
}

// The covered range [first, last) of one side of a rectangle, clipped to [0, limit).
// Computed in 64 bits so that extreme corners and sizes cannot overflow.
void coveredSpan(int start, int length, int limit, int& first, int& last) {
    long long from = start;
    long long to = start;  // exclusive
    if (length > 0) {
        to = static_cast<long long>(start) + length;
    } else if (length < 0) {
        from = static_cast<long long>(start) + length + 1;
        to = static_cast<long long>(start) + 1;
    }
    from = std::clamp<long long>(from, 0, limit);
    to = std::clamp<long long>(to, 0, limit);
    first = static_cast<int>(from);
    last = static_cast<int>(std::max(from, to));
}

}  // namespace

Image24::Image24(int width, int height, Rgb fill) {
    if (width < 1 || height < 1) {
        return;
    }
    if (static_cast<long long>(width) * height > kMaxPixels) {
        throw std::length_error("Bild zu groß");
    }
    width_ = width;
    height_ = height;
    pixels_.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
    for (std::size_t i = 0; i < pixels_.size(); i += 3) {
        pixels_[i] = fill.r;
        pixels_[i + 1] = fill.g;
        pixels_[i + 2] = fill.b;
    }
}

Rgb Image24::pixel(int x, int y) const {
    if (!contains(x, y)) {
        return Rgb{};
    }
    const std::uint8_t* p = pixels_.data() + offset(x, y);
    return Rgb{p[0], p[1], p[2]};
}

void Image24::setPixel(int x, int y, Rgb colour) {
    if (!contains(x, y)) {
        return;
    }
    std::uint8_t* p = pixels_.data() + offset(x, y);
    p[0] = colour.r;
    p[1] = colour.g;
    p[2] = colour.b;
}

void Image24::blendPixel(int x, int y, Rgb colour, int weight) {
    if (!contains(x, y)) {
        return;
    }
    weight = std::clamp(weight, 0, 32);
    std::uint8_t* p = pixels_.data() + offset(x, y);
    p[0] = blendChannel(p[0], colour.r, weight);
    p[1] = blendChannel(p[1], colour.g, weight);
    p[2] = blendChannel(p[2], colour.b, weight);
}

void Image24::fillRect(int x, int y, int width, int height, Rgb colour) {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
    coveredSpan(x, width, width_, left, right);
    coveredSpan(y, height, height_, top, bottom);
    for (int row = top; row < bottom; ++row) {
        std::uint8_t* p = pixels_.data() + offset(left, row);
        for (int column = left; column < right; ++column, p += 3) {
            p[0] = colour.r;
            p[1] = colour.g;
            p[2] = colour.b;
        }
    }
}

}  // namespace lumetra
