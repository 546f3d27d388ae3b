// RLE8 and RLE4 decoding. The data is a list of two-byte codes: a run (count, index or pair
// of 4-bit indices), or an escape (0 then 0: end of line, 1: end of bitmap, 2: delta dx dy,
// 3 or more: that many literal indices, padded to an even number of bytes). Broken data is
// clipped, never followed outside the picture: pixels past a row's end are dropped, codes
// past the last row are ignored, and data that ends early leaves the rest unset.

#include <algorithm>
#include <array>
#include <cstring>

#include "core/codec/bmp_format.h"

namespace core::bmp {

Picture decodeRle(const Header& h, std::span<const std::uint8_t> bytes) {
    const std::size_t width = std::size_t(h.width);
    const std::size_t height = std::size_t(h.height);
    // Every pixel starts as index 0, the palette's first colour, which those the data leaves
    // unset keep.
    PictureBuffer indices(h.width, h.height, filePalette(h, bytes));
    std::memset(indices.data(), 0, width * height);

    const bool four = h.compression == Compression::Rle4;
    const std::uint8_t* p = bytes.data() + h.pixelOffset;
    const std::uint8_t* const end = bytes.data() + bytes.size();

    std::size_t x = 0, y = 0; // y counts stored rows, so 0 is the bottom row of a bottom-up file
    // Sets `count` pixels from x on, the i-th to index(i), dropping those past the row's end.
    auto put = [&](std::size_t count, auto index) {
        const std::size_t inside = std::min(count, width - std::min(x, width));
        std::uint8_t* row = indices.row(int(storedRow(int(y), h.height, h.topDown))) + x;
        for (std::size_t i = 0; i < inside; ++i)
            row[i] = index(i);
        x = std::min(x + count, width);
    };

    while (y < height && end - p >= 2) {
        const std::uint8_t count = p[0], value = p[1];
        p += 2;
        if (count > 0) {
            if (four)
                put(count,
                    [value](std::size_t i) { return std::uint8_t(i % 2 ? value & 0x0F : value >> 4); });
            else
                put(count, [value](std::size_t) { return value; });
        } else if (value == 0) { // end of line
            x = 0;
            ++y;
        } else if (value == 1) { // end of bitmap
            break;
        } else if (value == 2) { // delta: move right and up (in stored order) without setting pixels
            if (end - p < 2) break;
            x = std::min(x + p[0], width);
            y += p[1];
            p += 2;
        } else { // literal run of `value` indices
            const std::size_t dataBytes = four ? (value + 1u) / 2 : value;
            if (std::size_t(end - p) < dataBytes) break;
            const std::uint8_t* literal = p;
            if (four)
                put(value, [literal](std::size_t i) {
                    return std::uint8_t(i % 2 ? literal[i / 2] & 0x0F : literal[i / 2] >> 4);
                });
            else
                put(value, [literal](std::size_t i) { return literal[i]; });
            p += std::min<std::size_t>((dataBytes + 1) & ~std::size_t(1), std::size_t(end - p));
        }
    }
    return std::move(indices).finish();
}

} // namespace core::bmp
