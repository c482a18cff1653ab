// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/Resample.h"

#include <cstring>
#include <vector>

namespace lumetra {

Image24 resampleNearest(const Image24& source, int width, int height) {
    if (width < 1 || height < 1 || source.isEmpty()) {
        return Image24();
    }
    Image24 result(width, height, Rgb{});

    // The byte offset in a source row of each result column, worked out once; 64-bit
    // products so that large sizes cannot overflow.
    std::vector<std::size_t> sourceOffset(static_cast<std::size_t>(width));
    for (int x = 0; x < width; ++x) {
        const long long column = static_cast<long long>(x) * source.width() / width;
        sourceOffset[static_cast<std::size_t>(x)] = static_cast<std::size_t>(column) * 3;
    }

    const std::size_t sourceStride = static_cast<std::size_t>(source.width()) * 3;
    const std::size_t stride = static_cast<std::size_t>(width) * 3;
    std::uint8_t* out = result.data();
    long long previousRow = -1;
    for (int y = 0; y < height; ++y) {
        std::uint8_t* line = out + static_cast<std::size_t>(y) * stride;
        const long long sourceRow = static_cast<long long>(y) * source.height() / height;
        if (sourceRow == previousRow) {
            // Enlarging repeats source rows: copy the line just built.
            std::memcpy(line, line - stride, stride);
            continue;
        }
        previousRow = sourceRow;
        const std::uint8_t* in = source.data() + static_cast<std::size_t>(sourceRow) * sourceStride;
        for (std::size_t x = 0; x < sourceOffset.size(); ++x) {
            const std::uint8_t* pixel = in + sourceOffset[x];
            line[x * 3] = pixel[0];
            line[x * 3 + 1] = pixel[1];
            line[x * 3 + 2] = pixel[2];
        }
    }
    return result;
}

}  // namespace lumetra
