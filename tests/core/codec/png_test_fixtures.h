#pragma once
// PNG files of every kind for the codec tests, written by libpng's own low-level writer from
// samples given as numbers (so that the reader is checked against another writer than its own),
// and the byte edits that make them malformed.

#include <png.h>
#include <zlib.h>

#include <csetjmp>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace pngtest {

using Bytes = std::vector<std::uint8_t>;

struct PngLayout {
    int width = 1;
    int height = 1;
    int bitDepth = 8;
    int colourType = PNG_COLOR_TYPE_RGB;
    bool interlaced = false;
    std::vector<png_color> palette;        // PLTE, for a palette file
    std::vector<png_byte> paletteAlpha;    // tRNS of a palette file: the first entries' alpha
    std::optional<png_color_16> colourKey; // tRNS of a grey or RGB file
    std::vector<int> samples;              // width * height * channels, rows top to bottom, each
                                           // of bitDepth bits
};

inline int channelsOf(int colourType) {
    switch (colourType) {
    case PNG_COLOR_TYPE_GRAY:
    case PNG_COLOR_TYPE_PALETTE:
        return 1;
    case PNG_COLOR_TYPE_GRAY_ALPHA:
        return 2;
    case PNG_COLOR_TYPE_RGB:
        return 3;
    default:
        return 4;
    }
}

// The rows as PNG stores them: samples of less than 8 bits packed with the leftmost in the high
// bits, 16-bit samples big-endian.
inline std::vector<Bytes> storedRows(const PngLayout& s) {
    const int perRow = s.width * channelsOf(s.colourType);
    std::vector<Bytes> rows(std::size_t(s.height), Bytes(std::size_t((perRow * s.bitDepth + 7) / 8)));
    for (int y = 0; y < s.height; ++y)
        for (int i = 0; i < perRow; ++i) {
            const int v = s.samples[std::size_t(y * perRow + i)];
            Bytes& row = rows[std::size_t(y)];
            if (s.bitDepth == 16) {
                row[std::size_t(2 * i)] = std::uint8_t(v >> 8);
                row[std::size_t(2 * i + 1)] = std::uint8_t(v);
            } else {
                const int bit = i * s.bitDepth;
                row[std::size_t(bit / 8)] |= std::uint8_t(v << (8 - s.bitDepth - bit % 8));
            }
        }
    return rows;
}

namespace detail {
inline void append(png_structp png, png_bytep data, std::size_t length) {
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}
// libpng's calls, inside a setjmp that holds nothing with a destructor.
inline bool write(png_structp png, png_infop info, const PngLayout& s, png_bytepp rows) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_IHDR(png, info, png_uint_32(s.width), png_uint_32(s.height), s.bitDepth, s.colourType,
                 s.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_BASE,
                 PNG_FILTER_TYPE_BASE);
    if (!s.palette.empty()) png_set_PLTE(png, info, s.palette.data(), int(s.palette.size()));
    if (!s.paletteAlpha.empty())
        png_set_tRNS(png, info, s.paletteAlpha.data(), int(s.paletteAlpha.size()), nullptr);
    if (s.colourKey) png_set_tRNS(png, info, nullptr, 0, &*s.colourKey);
    png_write_info(png, info);
    if (s.interlaced) png_set_interlace_handling(png);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    return true;
}
} // namespace detail

// The file libpng writes of the layout; empty when libpng refuses it.
inline Bytes writePng(const PngLayout& layout) {
    std::vector<Bytes> rows = storedRows(layout);
    std::vector<png_bytep> rowPointers;
    for (Bytes& row : rows)
        rowPointers.push_back(row.data());
    Bytes file;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &file, detail::append, nullptr);
    const bool written = detail::write(png, info, layout, rowPointers.data());
    png_destroy_write_struct(&png, &info);
    return written ? file : Bytes();
}

// Where the header chunk's data (width, height, bit depth, colour type, compression, filter,
// interlace) begins, and where its CRC lies.
constexpr std::size_t kHeaderData = 16, kHeaderCrc = 29;
constexpr std::size_t kBitDepth = kHeaderData + 8, kColourType = kHeaderData + 9,
                      kInterlace = kHeaderData + 12;

inline std::uint32_t readBe32(const Bytes& b, std::size_t at) {
    return std::uint32_t(b[at]) << 24 | std::uint32_t(b[at + 1]) << 16 | std::uint32_t(b[at + 2]) << 8 |
           b[at + 3];
}
inline void putBe32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + std::size_t(i)] = std::uint8_t(v >> (24 - 8 * i));
}
// The CRC of the chunk at `at` (its length field) made right again after an edit.
inline void fixCrc(Bytes& b, std::size_t at) {
    const std::uint32_t length = readBe32(b, at);
    putBe32(b, at + 8 + length, std::uint32_t(crc32(0, b.data() + at + 4, uInt(length + 4))));
}
// The file with the header's byte at `at` set to value, its CRC made right.
inline Bytes withHeaderByte(Bytes file, std::size_t at, std::uint8_t value) {
    file[at] = value;
    fixCrc(file, 8);
    return file;
}
// Where the first chunk of the type begins (its length field); 0 when there is none.
inline std::size_t chunkAt(const Bytes& file, const char* type) {
    for (std::size_t at = 8; at + 8 <= file.size(); at += 12 + readBe32(file, at))
        if (std::memcmp(file.data() + at + 4, type, 4) == 0) return at;
    return 0;
}

} // namespace pngtest
