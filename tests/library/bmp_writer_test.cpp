// The writer's file layout, checked byte by byte on tiny pictures and read back by our reader.

#include <gtest/gtest.h>

#include <stdexcept>

#include "core/codec/bmp.h"
#include "tools/draw_library/bmp_writer.h"

namespace {

using core::Rgb;
using Bytes = std::vector<std::uint8_t>;

std::uint32_t read32(const Bytes& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | std::uint32_t(b[at + 3]) << 24;
}

draw::DrawnPicture palettePicture(int width, int height, int bits, std::vector<std::uint8_t> indices) {
    draw::DrawnPicture p;
    p.width = width;
    p.height = height;
    p.bitsPerPixel = bits;
    p.palette.assign(bits == 1 ? 2 : 256, Rgb{});
    p.palette[0] = {0, 0, 0};
    p.palette[1] = {255, 255, 255};
    if (bits == 8) p.palette[2] = {10, 20, 30};
    p.indices = std::move(indices);
    return p;
}

TEST(BmpWriter, HeadersDescribeTheFile) {
    struct Case {
        draw::DrawnPicture picture;
        std::uint32_t size, pixelOffset;
    };
    draw::DrawnPicture trueColour;
    trueColour.width = 3;
    trueColour.height = 2;
    trueColour.pixels.assign(6, Rgb{1, 2, 3});
    const Case cases[] = {
        {palettePicture(9, 2, 1, std::vector<std::uint8_t>(18, 1)), 54 + 8 + 2 * 4, 62},
        {palettePicture(3, 2, 8, std::vector<std::uint8_t>(6, 2)), 54 + 1024 + 2 * 4, 1078},
        {trueColour, 54 + 2 * 12, 54},
    };
    for (const Case& c : cases) {
        const Bytes file = draw::encodeDrawnBmp(c.picture);
        SCOPED_TRACE(c.picture.bitsPerPixel);
        ASSERT_EQ(file.size(), c.size);
        EXPECT_EQ(file[0], 'B');
        EXPECT_EQ(file[1], 'M');
        EXPECT_EQ(read32(file, 2), c.size);
        EXPECT_EQ(read32(file, 10), c.pixelOffset);
        EXPECT_EQ(read32(file, 14), 40u);
        EXPECT_EQ(read32(file, 18), std::uint32_t(c.picture.width));
        EXPECT_EQ(read32(file, 22), std::uint32_t(c.picture.height)); // positive: bottom-up
        EXPECT_EQ(file[28], c.picture.bitsPerPixel);
        EXPECT_EQ(read32(file, 30), 0u); // uncompressed
        EXPECT_EQ(read32(file, 34), c.size - c.pixelOffset);
    }
}

TEST(BmpWriter, RowsAreBottomUpPaddedAndInStoredOrder) {
    // 1-bit, 9 wide: the leftmost pixel is the top bit; 2 bytes of pixels padded to 4.
    Bytes file = draw::encodeDrawnBmp(
        palettePicture(9, 2, 1, {0, 1, 1, 1, 1, 1, 1, 1, 0, /**/ 1, 0, 0, 0, 0, 0, 0, 0, 1}));
    EXPECT_EQ(Bytes(file.begin() + 54, file.begin() + 62), (Bytes{0, 0, 0, 0, 255, 255, 255, 0}));
    EXPECT_EQ(Bytes(file.begin() + 62, file.end()), (Bytes{0x80, 0x80, 0, 0, 0x7F, 0x00, 0, 0}));

    // 24-bit: blue, green, red per pixel, the bottom row first, each row padded to 4 bytes.
    draw::DrawnPicture colour;
    colour.width = 1;
    colour.height = 2;
    colour.pixels = {{10, 20, 30}, {40, 50, 60}};
    file = draw::encodeDrawnBmp(colour);
    EXPECT_EQ(Bytes(file.begin() + 54, file.end()), (Bytes{60, 50, 40, 0, 30, 20, 10, 0}));
}

TEST(BmpWriter, OurReaderReadsBackEveryDepth) {
    draw::DrawnPicture colour;
    colour.width = 5;
    colour.height = 3;
    for (int i = 0; i < 15; ++i)
        colour.pixels.push_back({std::uint8_t(i * 17), std::uint8_t(255 - i), 7});
    const draw::DrawnPicture pictures[] = {
        palettePicture(11, 3, 1, {0, 1, 0, 1, 1, 0, 0, 1, 1, 1, 0, 1, 1, 1, 1, 1, 1,
                                  1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}),
        palettePicture(3, 3, 8, {0, 1, 2, 2, 1, 0, 1, 1, 2}),
        colour,
    };
    for (const draw::DrawnPicture& p : pictures) {
        SCOPED_TRACE(p.bitsPerPixel);
        const core::Result<core::Picture> decoded = core::decodeBmp(draw::encodeDrawnBmp(p));
        ASSERT_TRUE(decoded) << decoded.message();
        ASSERT_EQ(decoded.value().width(), p.width);
        ASSERT_EQ(decoded.value().height(), p.height);
        for (int y = 0; y < p.height; ++y)
            for (int x = 0; x < p.width; ++x) {
                const std::size_t i = std::size_t(y) * p.width + x;
                EXPECT_EQ(decoded.value().pixel(x, y),
                          p.bitsPerPixel == 24 ? p.pixels[i] : p.palette[p.indices[i]])
                    << x << "," << y;
            }
    }
}

TEST(BmpWriter, RefusesInconsistentPictures) {
    draw::DrawnPicture shortPalette = palettePicture(2, 1, 8, {0, 1});
    shortPalette.palette.resize(16);
    draw::DrawnPicture outsidePalette = palettePicture(2, 1, 1, {0, 2});
    draw::DrawnPicture missingPixels = palettePicture(2, 2, 8, {0, 1, 1});
    draw::DrawnPicture oddDepth = palettePicture(2, 1, 8, {0, 1});
    oddDepth.bitsPerPixel = 4;
    for (const draw::DrawnPicture& p : {shortPalette, outsidePalette, missingPixels, oddDepth})
        EXPECT_THROW(draw::encodeDrawnBmp(p), std::invalid_argument);
}

} // namespace
