#include "support/Resample.h"

#include <vector>

namespace lumetra {

Image24 resampleNearest(const Image24& source, int width, int height) {
    if (width < 1 || height < 1 || source.isEmpty()) {
        return Image24();
    }
    Image24 result(width, height, Rgb{});

    // The source column of each result column, worked out once; 64-bit products so that
    // large sizes cannot overflow.
    std::vector<int> sourceColumn(static_cast<std::size_t>(width));
    for (int x = 0; x < width; ++x) {
        sourceColumn[static_cast<std::size_t>(x)] =
            static_cast<int>(static_cast<long long>(x) * source.width() / width);
    }

    for (int y = 0; y < height; ++y) {
        const int sourceRow =
            static_cast<int>(static_cast<long long>(y) * source.height() / height);
        for (int x = 0; x < width; ++x) {
            result.setPixel(x, y,
                            source.pixel(sourceColumn[static_cast<std::size_t>(x)], sourceRow));
        }
    }
    return result;
}

}  // namespace lumetra
