// The PNG codec: every colour type and bit depth read into the colours a paint program shows,
// transparency laid onto white with its note, palette files kept as palette and indices, and
// the writer's files read back the same. Files come from libpng's own low-level writer.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/codec/picture_file.h"
#include "core/codec/png.h"
#include "tests/core/codec/png_test_fixtures.h"

namespace {

using pngtest::Bytes;
using pngtest::PngLayout;

PngLayout layout(int width, int bitDepth, int colourType, std::vector<int> samples) {
    PngLayout s;
    s.width = width;
    s.height = 1;
    s.bitDepth = bitDepth;
    s.colourType = colourType;
    s.samples = std::move(samples);
    return s;
}

PngLayout withPalette(PngLayout s, std::vector<png_color> palette, std::vector<png_byte> alpha = {}) {
    s.palette = std::move(palette);
    s.paletteAlpha = std::move(alpha);
    return s;
}

PngLayout withKey(PngLayout s, png_color_16 key) {
    s.colourKey = key;
    return s;
}

struct Kind {
    const char* name;
    PngLayout file;
    Bytes rgb;      // the decoded picture's colours, r, g, b a pixel
    bool indexed;   // read as palette and indices, the file's own
    bool flattened; // told that transparency was laid onto white
};

TEST(PngCodec, EveryKindOfFileReadsAsAPaintProgramShowsIt) {
    const std::vector<png_color> two = {{10, 20, 30}, {200, 100, 50}};
    const std::vector<png_color> four = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
    // Laid onto white: c * a / 255 + 255 - a, rounded. (100, 200, 50) at alpha 128 is
    // (177.2, 227.4, 152.1); black at 128 is 127.0; any colour at 0 is white.
    // clang-format off
    const std::vector<Kind> kinds = {
        {"palette, 1 bit", withPalette(layout(3, 1, PNG_COLOR_TYPE_PALETTE, {1, 0, 1}), two),
         {200, 100, 50, 10, 20, 30, 200, 100, 50}, true, false},
        {"palette, 2 bits", withPalette(layout(4, 2, PNG_COLOR_TYPE_PALETTE, {3, 2, 1, 0}), four),
         {0, 0, 255, 0, 255, 0, 255, 0, 0, 0, 0, 0}, true, false},
        {"palette, 4 bits", withPalette(layout(2, 4, PNG_COLOR_TYPE_PALETTE, {2, 1}), four),
         {0, 255, 0, 255, 0, 0}, true, false},
        {"palette, 8 bits", withPalette(layout(2, 8, PNG_COLOR_TYPE_PALETTE, {1, 3}), four),
         {255, 0, 0, 0, 0, 255}, true, false},
        {"palette with a translucent entry shown",
         withPalette(layout(2, 8, PNG_COLOR_TYPE_PALETTE, {0, 1}), four, {128, 0}),
         {127, 127, 127, 255, 255, 255}, true, true},
        {"palette with a translucent entry no pixel shows",
         withPalette(layout(2, 8, PNG_COLOR_TYPE_PALETTE, {2, 3}), four, {128, 0}),
         {0, 255, 0, 0, 0, 255}, true, false},
        {"grey, 1 bit", layout(2, 1, PNG_COLOR_TYPE_GRAY, {0, 1}), {0, 0, 0, 255, 255, 255}, false, false},
        {"grey, 4 bits", layout(2, 4, PNG_COLOR_TYPE_GRAY, {5, 15}), {85, 85, 85, 255, 255, 255}, false, false},
        {"grey, 16 bits", layout(2, 16, PNG_COLOR_TYPE_GRAY, {0x8080, 0x0101}), {128, 128, 128, 1, 1, 1},
         false, false},
        {"grey with a colour key", withKey(layout(2, 8, PNG_COLOR_TYPE_GRAY, {7, 8}), {0, 0, 0, 0, 7}),
         {255, 255, 255, 8, 8, 8}, false, true},
        {"grey and alpha", layout(2, 8, PNG_COLOR_TYPE_GRAY_ALPHA, {0, 128, 90, 255}),
         {127, 127, 127, 90, 90, 90}, false, true},
        {"RGB, 8 bits", layout(2, 8, PNG_COLOR_TYPE_RGB, {1, 2, 3, 250, 251, 252}), {1, 2, 3, 250, 251, 252},
         false, false},
        {"RGB, 16 bits", layout(1, 16, PNG_COLOR_TYPE_RGB, {65535, 0, 0x8080}), {255, 0, 128}, false, false},
        {"RGB with a colour key", withKey(layout(2, 8, PNG_COLOR_TYPE_RGB, {10, 20, 30, 1, 2, 3}), {0, 10, 20, 30, 0}),
         {255, 255, 255, 1, 2, 3}, false, true},
        {"RGBA, translucent and clear",
         layout(3, 8, PNG_COLOR_TYPE_RGB_ALPHA, {100, 200, 50, 128, 0, 0, 0, 0, 9, 8, 7, 255}),
         {177, 227, 152, 255, 255, 255, 9, 8, 7}, false, true},
        {"RGBA, every pixel opaque", layout(2, 8, PNG_COLOR_TYPE_RGB_ALPHA, {1, 2, 3, 255, 4, 5, 6, 255}),
         {1, 2, 3, 4, 5, 6}, false, false},
        {"RGBA, 16 bits", layout(1, 16, PNG_COLOR_TYPE_RGB_ALPHA, {0, 0, 0, 0x8080}), {127, 127, 127}, false,
         true},
    };
    // clang-format on
    for (const Kind& k : kinds) {
        SCOPED_TRACE(k.name);
        const Bytes file = pngtest::writePng(k.file);
        ASSERT_FALSE(file.empty());
        const auto loaded = core::decodePicture(file);
        ASSERT_TRUE(loaded) << loaded.message();
        EXPECT_EQ(loaded.value().format, core::PictureFormat::Png);
        const core::Picture& picture = loaded.value().picture;
        EXPECT_EQ(picture.width(), k.file.width);
        EXPECT_EQ(picture.height(), 1);
        EXPECT_EQ(core::rgbBytes(picture), k.rgb);
        EXPECT_EQ(picture.isIndexed(), k.indexed);
        if (k.indexed) {
            // The file's own indices, not a palette of its own making.
            for (int x = 0; x < picture.width(); ++x)
                EXPECT_EQ(int(picture.indexRow(0)[x]), k.file.samples[std::size_t(x)]);
        }
        EXPECT_EQ(loaded.value().note, k.flattened ? std::string(core::kFlattenedNote) : std::string());
    }
}

TEST(PngCodec, AnInterlacedFileReadsAsTheSameRowsInOrder) {
    PngLayout rows = layout(11, 8, PNG_COLOR_TYPE_RGB, {});
    rows.height = 9;
    for (int i = 0; i < 11 * 9 * 3; ++i)
        rows.samples.push_back((i * 37) % 256);
    PngLayout interlaced = rows;
    interlaced.interlaced = true;
    const auto plain = core::decodePicture(pngtest::writePng(rows));
    const auto adam7 = core::decodePicture(pngtest::writePng(interlaced));
    ASSERT_TRUE(plain && adam7);
    EXPECT_EQ(core::rgbBytes(adam7.value().picture), Bytes(rows.samples.begin(), rows.samples.end()));
    EXPECT_EQ(adam7.value().picture, plain.value().picture);
}

// The writer's files read back as the picture they were made of: true colour, and palette files
// at each depth the number of entries needs, their indices kept.
TEST(PngCodec, WrittenFilesReadBackTheSame) {
    Bytes rgb;
    for (int i = 0; i < 5 * 3 * 3; ++i)
        rgb.push_back(std::uint8_t(i * 11));
    const core::Picture colours(5, 3, rgb);
    const auto trueColour = core::encodePng(colours);
    ASSERT_TRUE(trueColour);
    const auto back = core::decodePicture(trueColour.value());
    ASSERT_TRUE(back);
    EXPECT_EQ(back.value().picture, colours);
    EXPECT_FALSE(back.value().picture.isIndexed());

    for (const int entries : {1, 2, 3, 16, 17, 256}) {
        SCOPED_TRACE(std::to_string(entries) + " entries");
        core::PaletteImage image{7, 2, {}, {}};
        for (int i = 0; i < entries; ++i)
            image.palette.push_back({std::uint8_t(i), std::uint8_t(255 - i), std::uint8_t(i * 3)});
        for (int i = 0; i < 14; ++i)
            image.indices.push_back(std::uint8_t((i * 5) % entries));
        const auto file = core::encodePng(image);
        ASSERT_TRUE(file);
        const auto info = core::readPngInfo(file.value());
        ASSERT_TRUE(info);
        EXPECT_EQ(info.value().bitsPerPixel, entries <= 2 ? 1 : entries <= 4 ? 2 : entries <= 16 ? 4 : 8);
        const auto read = core::decodePicture(file.value());
        ASSERT_TRUE(read) << read.message();
        const core::Picture& picture = read.value().picture;
        ASSERT_TRUE(picture.isIndexed());
        EXPECT_EQ(Bytes(picture.indexRow(0), picture.indexRow(0) + 14), image.indices);
        ASSERT_GE(picture.palette()->size(), entries);
        for (int i = 0; i < entries; ++i)
            EXPECT_EQ(picture.palette()->entries()[std::size_t(i)], image.palette[std::size_t(i)]);
    }
}

} // namespace
