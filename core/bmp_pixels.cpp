// Decoding the pixels of a checked header: palette images through a 256-entry lookup table,
// true-colour rows by byte shuffles, 16- and 32-bit bit fields by their masks. Each row's
// bounds are known before its loop starts, so the loops themselves check nothing.

#include <bit>
#include <cstring>
#include <string>

#include "core/bmp_format.h"

namespace core::bmp {

namespace {

Status fail(std::string reason) {
    return Status::error(std::move(reason));
}

// One colour channel of a bit-field pixel, scaled from its own bit count to 8 bits.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint64_t max = 0; // largest value of the channel's bits; 0 for an absent channel

    explicit Channel(std::uint32_t m) : mask(m) {
        if (m == 0) return;
        shift = std::countr_zero(m);
        max = m >> shift;
    }
    std::uint8_t operator()(std::uint32_t pixel) const {
        if (max == 0) return 0;
        return std::uint8_t((std::uint64_t((pixel & mask) >> shift) * 255 + max / 2) / max);
    }
};

void paletteRow(const std::uint8_t* src, std::uint8_t* dst, int width, int bits, const PaletteLut& lut) {
    const int mask = (1 << bits) - 1;
    for (int x = 0; x < width; ++x) {
        const int bit = x * bits;
        const int index = (src[bit >> 3] >> (8 - bits - (bit & 7))) & mask;
        std::memcpy(dst + x * 3, lut[std::size_t(index)].data(), 3);
    }
}

// Blue, green, red (and a spare byte when step is 4) to red, green, blue.
void bgrRow(const std::uint8_t* src, std::uint8_t* dst, int width, int step) {
    for (int x = 0; x < width; ++x, src += step, dst += 3) {
        dst[0] = src[kRed];
        dst[1] = src[kGreen];
        dst[2] = src[kBlue];
    }
}

void bitFieldRow(const std::uint8_t* src, std::uint8_t* dst, int width, int bits,
                 const Channel (&channels)[3]) {
    for (int x = 0; x < width; ++x, dst += 3) {
        std::uint32_t pixel;
        if (bits == 16) {
            pixel = std::uint32_t(src[0] | src[1] << 8);
            src += 2;
        } else {
            pixel = std::uint32_t(src[0]) | std::uint32_t(src[1]) << 8 | std::uint32_t(src[2]) << 16 |
                    std::uint32_t(src[3]) << 24;
            src += 4;
        }
        dst[0] = channels[0](pixel);
        dst[1] = channels[1](pixel);
        dst[2] = channels[2](pixel);
    }
}

Result<Picture> decodeRlePixels(const Header& h, std::span<const std::uint8_t> bytes) {
    const std::int64_t dataBytes = std::int64_t(bytes.size() - h.pixelOffset);
    if (std::int64_t(h.width) * h.height > dataBytes * kMaxRlePixelsPerByte)
        return fail("the file is truncated: its compressed data is far too short for its size of " +
                    std::to_string(h.width) + " x " + std::to_string(h.height) + " pixels.");
    const std::vector<std::uint8_t> indices = decodeRle(h, bytes);
    const PaletteLut lut = paletteLut(h, bytes);
    const std::size_t outStride = std::size_t(h.width) * 3;
    std::vector<std::uint8_t> rgb(outStride * std::size_t(h.height));
    for (int y = 0; y < h.height; ++y)
        expandIndexRow(indices.data() + storedRow(y, h.height, h.topDown) * std::size_t(h.width),
                       rgb.data() + std::size_t(y) * outStride, h.width, lut);
    return Picture(h.width, h.height, std::move(rgb));
}

} // namespace

PaletteLut paletteLut(const Header& h, std::span<const std::uint8_t> bytes) {
    PaletteLut lut{}; // black beyond the palette
    const std::uint8_t* entry = bytes.data() + h.paletteOffset;
    for (int i = 0; i < h.paletteSize; ++i, entry += h.paletteEntryBytes)
        lut[std::size_t(i)] = {entry[kRed], entry[kGreen], entry[kBlue], 0};
    return lut;
}

void expandIndexRow(const std::uint8_t* indices, std::uint8_t* rgb, int width, const PaletteLut& lut) {
    // Four-byte stores stepping three bytes; the row's last pixel stores three so that
    // nothing is written past the row.
    for (int x = 0; x + 1 < width; ++x, rgb += 3)
        std::memcpy(rgb, lut[indices[x]].data(), 4);
    std::memcpy(rgb, lut[indices[width - 1]].data(), 3);
}

Result<Picture> decodePixels(const Header& h, std::span<const std::uint8_t> bytes) {
    switch (h.compression) {
    case Compression::Jpeg:
        return fail("it holds an embedded JPEG image, which this program cannot read.");
    case Compression::Png:
        return fail("it holds an embedded PNG image, which this program cannot read.");
    case Compression::Huffman1D:
        return fail("it uses Huffman 1D compression, which this program cannot read.");
    case Compression::Rle24:
        return fail("it uses RLE24 compression, which this program cannot read.");
    case Compression::Unknown:
        return fail("it uses an unknown kind of compression (code " + std::to_string(h.compressionCode) +
                    ").");
    case Compression::Rle8:
    case Compression::Rle4:
        return decodeRlePixels(h, bytes);
    case Compression::None:
    case Compression::BitFields:
    case Compression::AlphaBitFields:
        break;
    }

    const std::size_t stride = rowStride(std::size_t(h.width), h.bitsPerPixel);
    const std::size_t needed =
        stride * std::size_t(h.height - 1) + rowBytes(std::size_t(h.width), h.bitsPerPixel);
    if (bytes.size() - h.pixelOffset < needed)
        return fail("the file is truncated: it holds " + std::to_string(bytes.size() - h.pixelOffset) +
                    " of the " + std::to_string(needed) + " bytes of pixel data its size needs.");

    const std::uint8_t* base = bytes.data() + h.pixelOffset;
    const std::size_t outStride = std::size_t(h.width) * 3;
    std::vector<std::uint8_t> rgb(outStride * std::size_t(h.height));
    auto eachRow = [&](auto&& decodeRow) {
        for (int y = 0; y < h.height; ++y)
            decodeRow(base + storedRow(y, h.height, h.topDown) * stride,
                      rgb.data() + std::size_t(y) * outStride);
    };

    const int bits = h.bitsPerPixel;
    const bool plain888 = h.masks == std::array<std::uint32_t, 3>{0xFF0000, 0x00FF00, 0x0000FF};
    if (bits == 8) {
        const PaletteLut lut = paletteLut(h, bytes);
        eachRow([&](const std::uint8_t* src, std::uint8_t* dst) { expandIndexRow(src, dst, h.width, lut); });
    } else if (bits < 8) {
        const PaletteLut lut = paletteLut(h, bytes);
        eachRow(
            [&](const std::uint8_t* src, std::uint8_t* dst) { paletteRow(src, dst, h.width, bits, lut); });
    } else if (bits == 24 || (bits == 32 && plain888)) {
        eachRow([&](const std::uint8_t* src, std::uint8_t* dst) { bgrRow(src, dst, h.width, bits / 8); });
    } else {
        const Channel channels[3] = {Channel(h.masks[0]), Channel(h.masks[1]), Channel(h.masks[2])};
        eachRow([&](const std::uint8_t* src, std::uint8_t* dst) {
            bitFieldRow(src, dst, h.width, bits, channels);
        });
    }
    return Picture(h.width, h.height, std::move(rgb));
}

} // namespace core::bmp
