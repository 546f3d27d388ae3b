#include "tools/draw_library/bmp_writer.h"

#include <stdexcept>
#include <string>

#include "core/codec/bmp_encoder.h"

namespace draw {

namespace {

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

core::Result<core::BmpEncoder> encoderFor(const DrawnPicture& picture) {
    if (picture.bitsPerPixel != 24)
        return core::BmpEncoder::palette({picture.width, picture.height, picture.palette, picture.indices},
                                         picture.bitsPerPixel, core::BmpEncoder::ColoursUsed::Zero);
    std::vector<std::uint8_t> rgb;
    rgb.reserve(picture.pixels.size() * 3);
    for (const core::Rgb& p : picture.pixels)
        rgb.insert(rgb.end(), {p.r, p.g, p.b});
    return core::BmpEncoder::trueColour(core::Picture(picture.width, picture.height, rgb));
}

} // namespace

std::vector<std::uint8_t> encodeDrawnBmp(const DrawnPicture& picture) {
    check(picture);
    const core::Result<core::BmpEncoder> encoder = encoderFor(picture);
    if (!encoder) throw std::invalid_argument("BMP writer: " + encoder.message());
    return encoder.value().bytes();
}

} // namespace draw
