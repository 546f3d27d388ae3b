#pragma once
// Small BMP files built byte by byte for the codec tests, so that each test shows exactly
// which header field or pixel byte it is about.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

#include "core/picture.h"

namespace bmptest {

using Bytes = std::vector<std::uint8_t>;

inline void put16(Bytes& b, std::size_t at, std::uint32_t v) {
    b[at] = std::uint8_t(v);
    b[at + 1] = std::uint8_t(v >> 8);
}
inline void put32(Bytes& b, std::size_t at, std::uint32_t v) {
    put16(b, at, v);
    put16(b, at + 2, v >> 16);
}

struct BmpSpec {
    int width = 1;
    int height = 1; // negative: rows stored top-down
    int bitsPerPixel = 8;
    std::uint32_t compression = 0;
    int headerSize = 40;
    int planes = 1;
    std::uint32_t coloursUsed = 0;
    std::vector<core::Rgb> palette; // 4 bytes an entry, 3 with the 12-byte header
    // Written right after a 40-byte header, inside larger ones (from byte 40 of the header).
    std::vector<std::uint32_t> masks;
    Bytes pixels;                             // the pixel data exactly as stored
    std::optional<std::uint32_t> pixelOffset; // default: right after the palette
};

inline Bytes makeBmp(const BmpSpec& s) {
    const std::size_t header = std::size_t(s.headerSize);
    const std::size_t entry = s.headerSize == 12 ? 3 : 4;
    const std::size_t masksAfter = s.headerSize == 40 ? s.masks.size() * 4 : 0;
    const std::size_t paletteAt = 14 + header + masksAfter;
    const std::size_t offset = s.pixelOffset.value_or(std::uint32_t(paletteAt + s.palette.size() * entry));
    Bytes b(std::max(paletteAt + s.palette.size() * entry, offset) + s.pixels.size());
    b[0] = 'B';
    b[1] = 'M';
    put32(b, 2, std::uint32_t(b.size()));
    put32(b, 10, std::uint32_t(offset));
    put32(b, 14, std::uint32_t(header));
    if (s.headerSize == 12) {
        put16(b, 18, std::uint32_t(s.width));
        put16(b, 20, std::uint32_t(s.height));
        put16(b, 22, std::uint32_t(s.planes));
        put16(b, 24, std::uint32_t(s.bitsPerPixel));
    } else {
        put32(b, 18, std::uint32_t(s.width));
        put32(b, 22, std::uint32_t(s.height));
        put16(b, 26, std::uint32_t(s.planes));
        put16(b, 28, std::uint32_t(s.bitsPerPixel));
        if (header >= 20) put32(b, 30, s.compression);
        if (header >= 36) put32(b, 46, s.coloursUsed);
    }
    const std::size_t masksAt = 14 + 40;
    for (std::size_t i = 0; i < s.masks.size() && masksAt + i * 4 + 4 <= paletteAt; ++i)
        put32(b, masksAt + i * 4, s.masks[i]);
    for (std::size_t i = 0; i < s.palette.size(); ++i) {
        b[paletteAt + i * entry] = s.palette[i].b;
        b[paletteAt + i * entry + 1] = s.palette[i].g;
        b[paletteAt + i * entry + 2] = s.palette[i].r;
    }
    std::memcpy(b.data() + offset, s.pixels.data(), s.pixels.size());
    return b;
}

// Packs rows of pixel values (indices, or packed 16-, 24- or 32-bit values; 24-bit values
// are 0xRRGGBB and stored blue first) into stored rows padded to 4 bytes. Rows are taken
// in the order given, which is the stored order.
inline Bytes packRows(int bitsPerPixel, const std::vector<std::vector<std::uint32_t>>& rows) {
    Bytes out;
    for (const auto& row : rows) {
        Bytes packed((row.size() * std::size_t(bitsPerPixel) + 31) / 32 * 4);
        for (std::size_t x = 0; x < row.size(); ++x) {
            const std::uint32_t v = row[x];
            if (bitsPerPixel < 8) {
                const std::size_t bit = x * std::size_t(bitsPerPixel);
                packed[bit / 8] |= std::uint8_t(v << (8 - bitsPerPixel - bit % 8));
            } else {
                const std::size_t at = x * std::size_t(bitsPerPixel) / 8;
                for (int i = 0; i < bitsPerPixel / 8; ++i)
                    packed[at + std::size_t(i)] = std::uint8_t(v >> (8 * i));
            }
        }
        out.insert(out.end(), packed.begin(), packed.end());
    }
    return out;
}

// A picture from rows of colours, top row first.
inline core::Picture pictureOf(const std::vector<std::vector<core::Rgb>>& rows) {
    std::vector<std::uint8_t> rgb;
    for (const auto& row : rows)
        for (const core::Rgb& c : row)
            rgb.insert(rgb.end(), {c.r, c.g, c.b});
    return core::Picture(int(rows.front().size()), int(rows.size()), std::move(rgb));
}

} // namespace bmptest
