#pragma once
// The PNG layout facts the reader checks before libpng sees a byte: the signature and the
// header chunk (IHDR) that always follows it. Internal to the codec: the rest of the program
// uses core/codec/png.h.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "core/codec/picture_file.h"
#include "core/status.h"

namespace core::png {

// The eight bytes every PNG file begins with.
inline constexpr std::array<std::uint8_t, 8> kSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// The signature, then the header chunk: its length (13), its type "IHDR", 13 bytes of data
// (width, height, bit depth, colour type, compression, filter and interlace methods) and its
// CRC. A file is checked on this much before the rest is read. Numbers are big-endian.
inline constexpr std::size_t kChunkLengthBytes = 4, kChunkTypeBytes = 4, kChunkCrcBytes = 4;
inline constexpr std::size_t kHeaderDataBytes = 13;
inline constexpr std::size_t kHeadBytes =
    kSignature.size() + kChunkLengthBytes + kChunkTypeBytes + kHeaderDataBytes + kChunkCrcBytes;

// The colour types, as the header's byte gives them.
enum class ColourType : std::uint8_t { Grey = 0, Rgb = 2, Palette = 3, GreyAlpha = 4, Rgba = 6 };

// The checked header: the size within the caps, a bit depth the colour type allows, the one
// compression and filter method PNG has, rows in order or interlaced (Adam7).
struct Header {
    int width = 0;
    int height = 0;
    int bitDepth = 0; // bits a sample: 1, 2, 4, 8 or 16
    ColourType colourType = ColourType::Rgb;
    bool interlaced = false;
};

// Reads and checks the signature and the header chunk from a file's first bytes (at least
// kHeadBytes of them, or all of a shorter file). A failure's message is the reason alone.
Result<Header> readHeader(std::span<const std::uint8_t> bytes);
// What the header says, for --info.
PictureInfo describe(const Header& header);

} // namespace core::png
