#pragma once
// The BMP layout facts the reader and the writer share, and the checked header the reader
// decodes pixels from. Internal to the codec: the rest of the program uses core/bmp.h.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/codec/bmp.h"
#include "core/rows/index_rows.h"
#include "core/picture.h"
#include "core/status.h"

namespace core::bmp {

// File header: "BM", file size, two reserved words, offset of the pixel data.
inline constexpr std::size_t kFileHeaderSize = 14;
// The Windows information header the writer uses (and the smallest with a compression field
// that most files carry).
inline constexpr std::size_t kInfoHeaderSize = 40;
// The most that the headers can take before the palette: the file header, the largest
// information header (124 bytes) and the three or four colour masks that may follow a 40-byte
// one. A file is checked on this much before the rest is read.
inline constexpr std::size_t kMaxHeadersSize = kFileHeaderSize + 124 + 16;

// Every row is padded to a whole number of 4-byte words.
constexpr std::size_t rowStride(std::size_t width, int bitsPerPixel) {
    return (width * std::size_t(bitsPerPixel) + 31) / 32 * 4;
}
// The bytes a row really uses; the padding of the very last stored row may be missing.
constexpr std::size_t rowBytes(std::size_t width, int bitsPerPixel) {
    return (width * std::size_t(bitsPerPixel) + 7) / 8;
}
// Rows are stored bottom-up (the first stored row is the picture's bottom row) unless the
// header gives a negative height. Maps a picture row (0 = top) to its place in the file.
constexpr std::size_t storedRow(int y, int height, bool topDown) {
    return std::size_t(topDown ? y : height - 1 - y);
}
// Numbers are stored little-endian.
inline std::uint16_t le16(const std::uint8_t* p) {
    return std::uint16_t(p[0] | p[1] << 8);
}
inline std::uint32_t le32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}
inline void putLe16(std::uint8_t* at, std::uint32_t v) {
    at[0] = std::uint8_t(v);
    at[1] = std::uint8_t(v >> 8);
}
inline void putLe32(std::uint8_t* at, std::uint32_t v) {
    putLe16(at, v);
    putLe16(at + 2, v >> 16);
}
// What the writer puts in both resolution fields: 72 dots per inch. Readers ignore it, but a
// fixed value keeps written files reproducible.
inline constexpr std::uint32_t kPixelsPerMetre = 2835;
// Colour triples and palette entries are stored blue, green, red; palette entries of
// Windows headers add a fourth, unused byte.
inline constexpr int kBlue = 0, kGreen = 1, kRed = 2;

// A header's size is within the caps of core/codec/picture_limits.h before anything is
// allocated. A run of compressed data sets at most 255 pixels with 2 bytes, but end-of-line,
// delta and end-of-bitmap codes may leave whole areas unset. An RLE image may claim at most
// this many pixels per byte of compressed data, so a tiny file cannot make the reader allocate
// a huge one.
inline constexpr std::int64_t kMaxRlePixelsPerByte = 256;

enum class Compression { None, Rle8, Rle4, BitFields, AlphaBitFields, Jpeg, Png, Huffman1D, Rle24, Unknown };

// The checked header. width, height, depth and offsets are within the caps and the file.
struct Header {
    int headerSize = 0; // size of the information header in bytes
    int width = 0;
    int height = 0; // always positive
    bool topDown = false;
    int bitsPerPixel = 0;
    Compression compression = Compression::None;
    std::uint32_t compressionCode = 0; // the raw field, for messages
    // Channel masks of 16- and 32-bit pixels: red, green, blue (alpha is ignored).
    std::array<std::uint32_t, 3> masks{};
    std::size_t paletteOffset = 0;
    int paletteSize = 0;       // entries actually present, at most 256
    int paletteEntryBytes = 4; // 3 in files with the 12-byte header
    std::size_t pixelOffset = 0;
};

// A failure whose message is the reason alone, to follow "Cannot open skin.bmp: ".
inline Status fail(std::string reason) {
    return Status::input(std::move(reason));
}

// Reads and checks the file and information headers. `bytes` is the start of a file of
// fileSize bytes: at least its first kMaxHeadersSize bytes, or all of a shorter file. A
// failure's message is the reason alone, written to follow "Cannot open skin.bmp: ".
Result<Header> readHeader(std::span<const std::uint8_t> bytes, std::size_t fileSize);
inline Result<Header> readHeader(std::span<const std::uint8_t> bytes) {
    return readHeader(bytes, bytes.size());
}
// What the header says, for --info.
BmpInfo describe(const Header& header);
// Whether a file of fileSize bytes can hold the pixels a checked header describes, in a
// compression this reader knows: checked before the rest of a file is read.
Status checkPixelData(const Header& header, std::size_t fileSize);
// Decodes the pixels a checked header describes into a picture: palette images indexed with
// the file's palette, the others red, green and blue.
Result<Picture> decodePixels(const Header& header, std::span<const std::uint8_t> bytes);

// The file's palette: its entries as given (count and order kept, duplicates included).
Palette filePalette(const Header& header, std::span<const std::uint8_t> bytes);
// Decodes RLE8 or RLE4 data straight into the picture's rows, so that decoding needs no
// memory beyond the picture. Pixels the data leaves unset (delta skips, early end of line or
// of bitmap) take the palette's first colour.
Picture decodeRle(const Header& header, std::span<const std::uint8_t> bytes);

} // namespace core::bmp
