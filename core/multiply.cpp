#include "core/multiply.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/raster_op.h"

namespace core {

Picture multiplied(const Picture& under, const Picture& over) {
    if (under.isEmpty()) return {};
    const int width = under.width(), height = under.height();
    const std::size_t rowBytes = std::size_t(width) * Picture::kChannels;
    PictureBuffer result(width, height);
    std::vector<std::uint8_t> scratch(rowBytes), overScratch(std::size_t(over.width()) * Picture::kChannels);
    // Bytes of each row that over covers.
    const std::size_t covered = std::size_t(std::min(width, over.width())) * Picture::kChannels;
    for (int y = 0; y < height; ++y) {
        std::uint8_t* out = result.row(y);
        const std::uint8_t* d = under.rgbRow(y, scratch.data());
        std::memcpy(out, d, rowBytes);
        if (y >= over.height()) continue;
        const std::uint8_t* s = over.rgbRow(y, overScratch.data());
        for (std::size_t i = 0; i < covered; ++i)
            out[i] = multiply(out[i], s[i]);
    }
    return std::move(result).finish();
}

} // namespace core
