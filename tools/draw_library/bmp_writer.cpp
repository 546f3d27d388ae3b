#include "tools/draw_library/bmp_writer.h"

#include <stdexcept>
#include <string>

namespace draw {

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
// 72 dots per inch; readers ignore it, but a fixed value keeps the files reproducible.
constexpr std::uint32_t kPixelsPerMetre = 2835;

void put16(std::vector<std::uint8_t>& out, std::uint16_t value) {
    out.push_back(std::uint8_t(value));
    out.push_back(std::uint8_t(value >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    put16(out, std::uint16_t(value));
    put16(out, std::uint16_t(value >> 16));
}

std::size_t paletteEntries(int bitsPerPixel) {
    switch (bitsPerPixel) {
    case 1:
        return 2;
    case 8:
        return 256;
    case 24:
        return 0;
    }
    throw std::invalid_argument("BMP writer: unsupported depth " + std::to_string(bitsPerPixel));
}

void check(const DrawnPicture& picture) {
    const std::size_t count = std::size_t(picture.width) * picture.height;
    if (picture.width < 1 || picture.height < 1) throw std::invalid_argument("BMP writer: empty picture");
    if (picture.palette.size() != paletteEntries(picture.bitsPerPixel))
        throw std::invalid_argument("BMP writer: palette size does not match the depth");
    if (picture.bitsPerPixel == 24 ? picture.pixels.size() != count : picture.indices.size() != count)
        throw std::invalid_argument("BMP writer: pixel count does not match the size");
    for (std::uint8_t index : picture.indices)
        if (index >= picture.palette.size())
            throw std::invalid_argument("BMP writer: index outside the palette");
}

} // namespace

std::vector<std::uint8_t> encodeDrawnBmp(const DrawnPicture& picture) {
    check(picture);
    const int bits = picture.bitsPerPixel;
    const std::uint32_t rowBytes = ((std::uint32_t(picture.width) * bits + 31) / 32) * 4;
    const std::uint32_t pixelOffset =
        kFileHeaderSize + kInfoHeaderSize + std::uint32_t(picture.palette.size()) * 4;
    const std::uint32_t imageSize = rowBytes * std::uint32_t(picture.height);

    std::vector<std::uint8_t> out;
    out.reserve(pixelOffset + imageSize);
    out.push_back('B');
    out.push_back('M');
    put32(out, pixelOffset + imageSize);
    put32(out, 0); // reserved
    put32(out, pixelOffset);

    put32(out, kInfoHeaderSize);
    put32(out, std::uint32_t(picture.width));
    put32(out, std::uint32_t(picture.height)); // positive: rows bottom-up
    put16(out, 1);                             // planes
    put16(out, std::uint16_t(bits));
    put32(out, 0); // no compression
    put32(out, imageSize);
    put32(out, kPixelsPerMetre);
    put32(out, kPixelsPerMetre);
    put32(out, 0); // colours used: all of the palette
    put32(out, 0); // important colours: all

    for (const core::Rgb& colour : picture.palette) {
        out.push_back(colour.b);
        out.push_back(colour.g);
        out.push_back(colour.r);
        out.push_back(0);
    }

    for (int y = picture.height - 1; y >= 0; --y) {
        const std::size_t rowStart = out.size();
        const std::size_t first = std::size_t(y) * picture.width;
        if (bits == 24) {
            for (int x = 0; x < picture.width; ++x) {
                const core::Rgb& p = picture.pixels[first + x];
                out.push_back(p.b);
                out.push_back(p.g);
                out.push_back(p.r);
            }
        } else if (bits == 8) {
            out.insert(out.end(), picture.indices.begin() + first,
                       picture.indices.begin() + first + picture.width);
        } else {
            // 1-bit: the leftmost pixel is the most significant bit of each byte.
            for (int x = 0; x < picture.width; x += 8) {
                std::uint8_t byte = 0;
                for (int bit = 0; bit < 8 && x + bit < picture.width; ++bit)
                    if (picture.indices[first + x + bit]) byte |= std::uint8_t(0x80 >> bit);
                out.push_back(byte);
            }
        }
        out.resize(rowStart + rowBytes, 0);
    }
    return out;
}

} // namespace draw
