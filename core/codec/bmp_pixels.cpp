// Decoding the pixels of a checked header: palette images to indices with their palette,
// true-colour rows by byte shuffles, 16- and 32-bit bit fields by their masks. Each row's
// bounds are known before its loop starts, so the loops themselves check nothing.

#include <array>
#include <bit>
#include <cstring>
#include <string>

#include "core/codec/bmp_bgr_rows.h"
#include "core/codec/bmp_format.h"

namespace core::bmp {

namespace {

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

// A 1-, 2- or 4-bit row through a table of every byte value unpacked to its 8 / Bits indices,
// the leftmost pixel in the byte's high bits: one table copy per byte instead of shifts per
// pixel.
template <int Bits> class PackedRowUnpacker {
  public:
    static constexpr int kPixelsPerByte = 8 / Bits;

    constexpr PackedRowUnpacker() {
        constexpr int mask = (1 << Bits) - 1;
        for (int value = 0; value < 256; ++value)
            for (int p = 0; p < kPixelsPerByte; ++p)
                m_table[std::size_t(value)][std::size_t(p)] =
                    std::uint8_t((value >> (8 - Bits * (p + 1))) & mask);
    }

    void operator()(const std::uint8_t* src, std::uint8_t* dst, int width) const {
        const int whole = width / kPixelsPerByte;
        for (int i = 0; i < whole; ++i, dst += kPixelsPerByte)
            std::memcpy(dst, m_table[src[i]].data(), kPixelsPerByte);
        // The last byte may hold fewer pixels than it has room for; the rest is padding.
        const int rest = width - whole * kPixelsPerByte;
        if (rest > 0) std::memcpy(dst, m_table[src[whole]].data(), std::size_t(rest));
    }

  private:
    std::array<std::array<std::uint8_t, kPixelsPerByte>, 256> m_table{};
};
template <int Bits> constexpr PackedRowUnpacker<Bits> kUnpack{};

// Blue, green, red and a spare byte to red, green, blue. (24-bit rows go through
// swapRedBlue, whose vector versions serve the writer too.)
void bgrxRow(const std::uint8_t* src, std::uint8_t* dst, int width) {
    for (int x = 0; x < width; ++x, src += 4, dst += 3) {
        dst[0] = src[kRed];
        dst[1] = src[kGreen];
        dst[2] = src[kBlue];
    }
}

void bitFieldRow(const std::uint8_t* src, std::uint8_t* dst, int width, int bits,
                 const Channel (&channels)[3]) {
    const int step = bits / 8;
    for (int x = 0; x < width; ++x, src += step, dst += 3) {
        const std::uint32_t pixel = bits == 16 ? le16(src) : le32(src);
        dst[0] = channels[0](pixel);
        dst[1] = channels[1](pixel);
        dst[2] = channels[2](pixel);
    }
}

} // namespace

Palette filePalette(const Header& h, std::span<const std::uint8_t> bytes) {
    std::array<Rgb, Palette::kMaxEntries> entries;
    const std::uint8_t* entry = bytes.data() + h.paletteOffset;
    for (int i = 0; i < h.paletteSize; ++i, entry += h.paletteEntryBytes)
        entries[std::size_t(i)] = {entry[kRed], entry[kGreen], entry[kBlue]};
    return Palette(std::span(entries).first(std::size_t(h.paletteSize)));
}

Status checkPixelData(const Header& h, std::size_t fileSize) {
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
    case Compression::Rle4: {
        const std::int64_t dataBytes = std::int64_t(fileSize - h.pixelOffset);
        if (std::int64_t(h.width) * h.height > dataBytes * kMaxRlePixelsPerByte)
            return fail("the file is truncated: its compressed data is far too short for its size of " +
                        std::to_string(h.width) + " x " + std::to_string(h.height) + " pixels.");
        return Status::ok();
    }
    case Compression::None:
    case Compression::BitFields:
    case Compression::AlphaBitFields:
        break;
    }
    const std::size_t needed = rowStride(std::size_t(h.width), h.bitsPerPixel) * std::size_t(h.height - 1) +
                               rowBytes(std::size_t(h.width), h.bitsPerPixel);
    if (fileSize - h.pixelOffset < needed)
        return fail("the file is truncated: it holds " + std::to_string(fileSize - h.pixelOffset) +
                    " of the " + std::to_string(needed) + " bytes of pixel data its size needs.");
    return Status::ok();
}

Result<Picture> decodePixels(const Header& h, std::span<const std::uint8_t> bytes) {
    if (Status fits = checkPixelData(h, bytes.size()); !fits) return fits;
    if (h.compression == Compression::Rle8 || h.compression == Compression::Rle4) return decodeRle(h, bytes);

    const std::size_t stride = rowStride(std::size_t(h.width), h.bitsPerPixel);
    const std::uint8_t* base = bytes.data() + h.pixelOffset;
    const int bits = h.bitsPerPixel;
    // Palette files keep their indices; the rest become red, green and blue.
    PictureBuffer pixels = bits <= 8 ? PictureBuffer(h.width, h.height, filePalette(h, bytes))
                                     : PictureBuffer(h.width, h.height);
    auto eachRow = [&](auto&& decodeRow) {
        for (int y = 0; y < h.height; ++y)
            decodeRow(base + storedRow(y, h.height, h.topDown) * stride, pixels.row(y));
    };

    const bool plain888 = h.masks == std::array<std::uint32_t, 3>{0xFF0000, 0x00FF00, 0x0000FF};
    if (bits == 8) {
        eachRow(
            [&](const std::uint8_t* src, std::uint8_t* dst) { std::memcpy(dst, src, std::size_t(h.width)); });
    } else if (bits < 8) {
        auto unpackRows = [&](const auto& unpack) {
            eachRow([&](const std::uint8_t* src, std::uint8_t* dst) { unpack(src, dst, h.width); });
        };
        if (bits == 1)
            unpackRows(kUnpack<1>);
        else if (bits == 2)
            unpackRows(kUnpack<2>);
        else
            unpackRows(kUnpack<4>);
    } else if (bits == 24) {
        static_assert(kBlue == 0 && kGreen == 1 && kRed == 2, "stored colours are r, g, b swapped");
        eachRow([&](const std::uint8_t* src, std::uint8_t* dst) { swapRedBlue(src, dst, h.width); });
    } else if (bits == 32 && plain888) {
        eachRow([&](const std::uint8_t* src, std::uint8_t* dst) { bgrxRow(src, dst, h.width); });
    } else {
        const Channel channels[3] = {Channel(h.masks[0]), Channel(h.masks[1]), Channel(h.masks[2])};
        eachRow([&](const std::uint8_t* src, std::uint8_t* dst) {
            bitFieldRow(src, dst, h.width, bits, channels);
        });
    }
    return std::move(pixels).finish();
}

} // namespace core::bmp
