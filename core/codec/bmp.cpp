// The BMP codec's public face on bytes: decoding, what a header says, the 24-bit writer. The
// file wrappers are in bmp_files.cpp.

#include "core/codec/bmp.h"

#include "core/codec/bmp_encoder.h"
#include "core/codec/bmp_format.h"

namespace core {

namespace {

std::string compressionName(bmp::Compression compression) {
    switch (compression) {
    case bmp::Compression::None:
        return "none";
    case bmp::Compression::Rle8:
        return "RLE8";
    case bmp::Compression::Rle4:
        return "RLE4";
    case bmp::Compression::BitFields:
        return "bit fields";
    case bmp::Compression::AlphaBitFields:
        return "alpha bit fields";
    case bmp::Compression::Jpeg:
        return "JPEG";
    case bmp::Compression::Png:
        return "PNG";
    case bmp::Compression::Huffman1D:
        return "Huffman 1D";
    case bmp::Compression::Rle24:
        return "RLE24";
    case bmp::Compression::Unknown:
        break;
    }
    return "unknown";
}

} // namespace

Result<Picture> decodeBmp(std::span<const std::uint8_t> bytes) {
    Result<bmp::Header> header = bmp::readHeader(bytes);
    if (!header) return header.status();
    return bmp::decodePixels(header.value(), bytes);
}

Result<BmpInfo> readBmpInfo(std::span<const std::uint8_t> bytes) {
    Result<bmp::Header> header = bmp::readHeader(bytes);
    if (!header) return header.status();
    return bmp::describe(header.value());
}

BmpInfo bmp::describe(const bmp::Header& h) {
    BmpInfo info;
    info.width = h.width;
    info.height = h.height;
    info.topDown = h.topDown;
    info.bitsPerPixel = h.bitsPerPixel;
    info.compression = compressionName(h.compression);
    info.headerSize = h.headerSize;
    return info;
}

std::vector<std::uint8_t> encodeBmp24(const Picture& picture) {
    auto encoder = BmpEncoder::trueColour(picture);
    return encoder ? encoder.value().bytes() : std::vector<std::uint8_t>{};
}

} // namespace core
