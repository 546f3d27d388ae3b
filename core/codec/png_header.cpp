// Reading and checking a PNG file's signature and header chunk. Every field that decides how
// much is allocated is checked here, each with a short reason, before libpng reads anything.

#include <algorithm>
#include <cstring>
#include <string>

#include "core/codec/picture_limits.h"
#include "core/codec/png_format.h"

namespace core::png {

namespace {

std::uint32_t be32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 |
           std::uint32_t(p[3]);
}

Status fail(std::string reason) {
    return Status::input(std::move(reason));
}

// The bit depths each colour type allows; none for a colour type PNG does not have.
std::span<const int> allowedDepths(int colourType) {
    static constexpr int kAny[] = {1, 2, 4, 8, 16}, kPalette[] = {1, 2, 4, 8}, kWide[] = {8, 16};
    switch (ColourType(colourType)) {
    case ColourType::Grey:
        return kAny;
    case ColourType::Palette:
        return kPalette;
    case ColourType::Rgb:
    case ColourType::GreyAlpha:
    case ColourType::Rgba:
        return kWide;
    }
    return {};
}

int channels(ColourType type) {
    switch (type) {
    case ColourType::Grey:
    case ColourType::Palette:
        return 1;
    case ColourType::GreyAlpha:
        return 2;
    case ColourType::Rgb:
        return 3;
    case ColourType::Rgba:
        return 4;
    }
    return 0;
}

} // namespace

Result<Header> readHeader(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kSignature.size() || !std::equal(kSignature.begin(), kSignature.end(), bytes.begin()))
        return fail("it is not a PNG file.");
    if (bytes.size() < kHeadBytes) return fail("the file is truncated: it ends inside its header.");
    const std::uint8_t* chunk = bytes.data() + kSignature.size();
    const std::uint8_t* data = chunk + kChunkLengthBytes + kChunkTypeBytes;
    if (be32(chunk) != kHeaderDataBytes ||
        std::memcmp(chunk + kChunkLengthBytes, "IHDR", kChunkTypeBytes) != 0)
        return fail(
            "it does not begin with the header chunk (IHDR) every PNG file begins with; the file may be "
            "damaged.");

    // Width and height are at most 2^31 - 1; read as unsigned, a larger one is still refused.
    const std::int64_t width = be32(data), height = be32(data + 4);
    const int depth = data[8], colourType = data[9], compression = data[10], filter = data[11],
              interlace = data[12];
    if (width == 0) return fail("its width of 0 pixels is not valid.");
    if (height == 0) return fail("its height of 0 pixels is not valid.");
    if (Status fits = codec::checkPictureSize(width, height); !fits) return fits;
    const std::span<const int> depths = allowedDepths(colourType);
    if (depths.empty())
        return fail("its colour type " + std::to_string(colourType) +
                    " is not one the PNG format has; the file may be damaged.");
    if (std::find(depths.begin(), depths.end(), depth) == depths.end())
        return fail("its header gives " + std::to_string(depth) + " bits a sample for colour type " +
                    std::to_string(colourType) + ", which the PNG format does not allow.");
    if (compression != 0 || filter != 0)
        return fail("its header gives a compression or filter method the PNG format does not have; the file "
                    "may be damaged.");
    if (interlace > 1)
        return fail("its header gives an interlace method the PNG format does not have; the file may be "
                    "damaged.");

    Header h;
    h.width = int(width);
    h.height = int(height);
    h.bitDepth = depth;
    h.colourType = ColourType(colourType);
    h.interlaced = interlace == 1;
    return h;
}

PictureInfo describe(const Header& h) {
    PictureInfo info;
    info.format = PictureFormat::Png;
    info.width = h.width;
    info.height = h.height;
    info.bitsPerPixel = h.bitDepth * channels(h.colourType);
    info.compression = h.interlaced ? "deflate, interlaced" : "deflate";
    return info;
}

} // namespace core::png
