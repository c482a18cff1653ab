// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "support/Rgb.h"

namespace lumetra {

// An off-screen 24-bit image: width x height pixels, 3 bytes a pixel in the order red, green,
// blue, rows from top to bottom without padding (a Qt front end wraps data() as
// QImage::Format_RGB888 with a stride of 3 * width). Coordinates count from 0 at the top left.
// Every drawing operation clips to the image, so drawing outside it is harmless.
class Image24 {
  public:
    // Largest number of pixels an image may hold (8192 x 8192); a larger request throws
    // std::length_error instead of exhausting the machine's memory.
    static constexpr long long kMaxPixels = 8192LL * 8192LL;

    // An empty image (0 x 0).
    Image24() = default;

    // width x height pixels, all of colour fill. A width or height below 1 gives an empty
    // image. Throws std::length_error if width x height exceeds kMaxPixels.
    Image24(int width, int height, Rgb fill);

    int width() const { return width_; }
    int height() const { return height_; }
    bool isEmpty() const { return width_ == 0 || height_ == 0; }

    // The pixel bytes (3 * width * height of them); nullptr for an empty image.
    const std::uint8_t* data() const { return pixels_.empty() ? nullptr : pixels_.data(); }
    std::uint8_t* data() { return pixels_.empty() ? nullptr : pixels_.data(); }
    std::size_t byteCount() const { return pixels_.size(); }

    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    // The colour at (x, y); black outside the image.
    Rgb pixel(int x, int y) const;

    // Sets (x, y) to colour; ignored outside the image.
    void setPixel(int x, int y, Rgb colour);

    // Mixes colour into (x, y) by weight / 32 (0..32); ignored outside the image. Per channel:
    // new = old + (colour - old) * weight / 32, the quotient rounded to the nearest integer with
    // halves away from zero, so weight 0 keeps the pixel, weight 32 gives colour, and the result
    // always lies between the old value and colour.
    void blendPixel(int x, int y, Rgb colour, int weight);

    // Fills the rectangle with its corner at (x, y). A positive width covers the columns
    // x .. x + width - 1, a negative one the columns x - |width| + 1 .. x; a positive height
    // covers the rows y .. y + height - 1, a negative one the rows y - |height| + 1 .. y (it
    // extends upward from row y). A width or height of 0 fills nothing. Clipped to the image.
    void fillRect(int x, int y, int width, int height, Rgb colour);

  private:
    std::size_t offset(int x, int y) const {
        return (static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                static_cast<std::size_t>(x)) *
               3;
    }

    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint8_t> pixels_;
};

}  // namespace lumetra
