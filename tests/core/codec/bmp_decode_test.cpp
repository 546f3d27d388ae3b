// Decoding BMP files from bytes: every depth and header the reader supports, RLE data with
// its skips and overruns, palette corner cases, and what readBmpInfo reports.

#include <gtest/gtest.h>

#include <functional>

#include "core/codec/bmp.h"
#include "tests/core/codec/bmp_test_fixtures.h"

namespace {

using bmptest::BmpSpec;
using bmptest::Bytes;
using bmptest::makeBmp;
using bmptest::packRows;
using bmptest::pictureOf;
using core::Picture;
using core::Rgb;

constexpr Rgb kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255}, kWhite{255, 255, 255}, kBlack{0, 0, 0};
const std::vector<Rgb> kPalette = {kRed, kGreen, kBlue, kWhite};

// The picture every variant below encodes: 5 pixels wide, so that rows of every depth need
// padding, and 3 rows, top row first. Values are palette indices.
const std::vector<std::vector<std::uint32_t>> kIndices = {{0, 1, 2, 3, 0}, {1, 0, 3, 2, 1}, {3, 3, 0, 1, 2}};

// The indices reduced to `colours` colours (a 1-bit file has only two).
std::vector<std::vector<std::uint32_t>> indicesOf(int colours) {
    auto rows = kIndices;
    for (auto& row : rows)
        for (auto& v : row)
            v %= std::uint32_t(colours);
    return rows;
}

Picture expectedPicture(int colours) {
    std::vector<std::vector<Rgb>> rows;
    for (const auto& row : indicesOf(colours)) {
        rows.emplace_back();
        for (auto v : row)
            rows.back().push_back(kPalette[v]);
    }
    return pictureOf(rows);
}

// Rows in stored order: bottom row first unless the file is top-down.
std::vector<std::vector<std::uint32_t>> stored(std::vector<std::vector<std::uint32_t>> rows, bool topDown) {
    if (!topDown) std::reverse(rows.begin(), rows.end());
    return rows;
}

// The picture's colours as packed pixels with the given red, green and blue masks.
std::vector<std::vector<std::uint32_t>> packedColours(std::array<std::uint32_t, 3> masks,
                                                      std::uint32_t extra = 0) {
    auto rows = stored(kIndices, false);
    for (auto& row : rows)
        for (auto& v : row) {
            const Rgb c = kPalette[v];
            v = extra;
            const std::uint8_t channels[3] = {c.r, c.g, c.b};
            for (int i = 0; i < 3; ++i)
                if (channels[i] == 255) v |= masks[std::size_t(i)];
        }
    return rows;
}

BmpSpec paletted(int bits, bool topDown = false) {
    BmpSpec s;
    s.width = 5;
    s.height = topDown ? -3 : 3;
    s.bitsPerPixel = bits;
    s.palette = bits == 1 ? std::vector<Rgb>{kRed, kGreen} : kPalette;
    s.pixels = packRows(bits, stored(indicesOf(bits == 1 ? 2 : 4), topDown));
    return s;
}

BmpSpec trueColour(int bits, std::uint32_t compression, int headerSize, std::vector<std::uint32_t> masks,
                   std::array<std::uint32_t, 3> packMasks, std::uint32_t extra = 0) {
    BmpSpec s;
    s.width = 5;
    s.height = 3;
    s.bitsPerPixel = bits;
    s.compression = compression;
    s.headerSize = headerSize;
    s.masks = std::move(masks);
    s.pixels = packRows(bits, packedColours(packMasks, extra));
    return s;
}

BmpSpec withHeader(BmpSpec s, int headerSize) {
    s.headerSize = headerSize;
    return s;
}

struct Variant {
    const char* name;
    std::function<BmpSpec()> build;
    int colours; // of the expected picture: 2 for 1-bit files, else 4
};

TEST(BmpDecode, EverySupportedVariantDecodesToTheSamePicture) {
    const std::vector<Variant> variants = {
        {"1-bit palette", [] { return paletted(1); }, 2},
        {"2-bit palette", [] { return paletted(2); }, 4},
        {"4-bit palette", [] { return paletted(4); }, 4},
        {"8-bit palette", [] { return paletted(8); }, 4},
        {"8-bit top-down", [] { return paletted(8, true); }, 4},
        {"4-bit top-down", [] { return paletted(4, true); }, 4},
        {"12-byte core header", [] { return withHeader(paletted(8), 12); }, 4},
        {"16-byte short OS/2 header", [] { return withHeader(paletted(8), 16); }, 4},
        {"64-byte OS/2 header", [] { return withHeader(paletted(4), 64); }, 4},
        {"108-byte header", [] { return withHeader(paletted(8), 108); }, 4},
        {"124-byte header", [] { return withHeader(paletted(1), 124); }, 2},
        {"16-bit 5-5-5",
         [] {
             return trueColour(16, 0, 40, {}, {0x7C00, 0x03E0, 0x001F});
         },
         4},
        {"16-bit 5-5-5, unused bit set",
         [] {
             return trueColour(16, 0, 40, {}, {0x7C00, 0x03E0, 0x001F}, 0x8000);
         },
         4},
        {"16-bit 5-6-5 bit fields",
         [] {
             return trueColour(16, 3, 40, {0xF800, 0x07E0, 0x001F}, {0xF800, 0x07E0, 0x001F});
         },
         4},
        {"16-bit 4-4-4-4 in a 124-byte header",
         [] {
             return trueColour(16, 3, 124, {0x0F00, 0x00F0, 0x000F, 0xF000}, {0x0F00, 0x00F0, 0x000F},
                               0x5000);
         },
         4},
        {"24-bit",
         [] {
             return trueColour(24, 0, 40, {}, {0xFF0000, 0x00FF00, 0x0000FF});
         },
         4},
        {"32-bit, spare byte set",
         [] {
             return trueColour(32, 0, 40, {}, {0xFF0000, 0x00FF00, 0x0000FF}, 0xAA000000);
         },
         4},
        {"32-bit bit fields, high bits",
         [] {
             return trueColour(32, 3, 40, {0xFF00, 0xFF0000, 0xFF000000}, {0xFF00, 0xFF0000, 0xFF000000});
         },
         4},
        {"32-bit bit fields in a 52-byte header",
         [] {
             return trueColour(32, 3, 52, {0xFF0000, 0xFF00, 0xFF}, {0xFF0000, 0xFF00, 0xFF});
         },
         4},
        {"32-bit 10-10-10-2 in a 56-byte header",
         [] {
             return trueColour(32, 3, 56, {0x3FF00000, 0x000FFC00, 0x000003FF, 0xC0000000},
                               {0x3FF00000, 0x000FFC00, 0x000003FF}, 0x40000000);
         },
         4},
        {"32-bit alpha bit fields",
         [] {
             return trueColour(32, 6, 40, {0xFF, 0xFF00, 0xFF0000, 0xFF000000}, {0xFF, 0xFF00, 0xFF0000},
                               0x12000000);
         },
         4},
        {"16-bit bit fields in a 108-byte header",
         [] {
             return trueColour(16, 3, 108, {0x001F, 0x03E0, 0x7C00}, {0x001F, 0x03E0, 0x7C00});
         },
         4},
    };
    for (const Variant& v : variants) {
        SCOPED_TRACE(v.name);
        const auto picture = core::decodeBmp(makeBmp(v.build()));
        ASSERT_TRUE(picture) << picture.message();
        EXPECT_EQ(picture.value(), expectedPicture(v.colours));
    }
}

TEST(BmpDecode, NarrowChannelsScaleToTheFullRange) {
    // One pixel of a 2-3-1 bit-field file: red 1 of 3, green 5 of 7, blue 1 of 1.
    BmpSpec s;
    s.bitsPerPixel = 16;
    s.compression = 3;
    s.masks = {0x0030, 0x000E, 0x0001};
    s.pixels = packRows(16, {{0x001B}});
    const auto picture = core::decodeBmp(makeBmp(s));
    ASSERT_TRUE(picture) << picture.message();
    EXPECT_EQ(picture.value().pixel(0, 0), (Rgb{85, 182, 255}));

    // A channel without bits is 0; a 16-bit channel keeps its top bits, rounded.
    s.bitsPerPixel = 32;
    s.masks = {0, 0xFFFF0000, 0x0000FFFF};
    s.pixels = packRows(32, {{0x80000101}});
    const auto wide = core::decodeBmp(makeBmp(s));
    ASSERT_TRUE(wide) << wide.message();
    EXPECT_EQ(wide.value().pixel(0, 0), (Rgb{0, 128, 1}));
}

TEST(BmpDecode, PaletteCornerCases) {
    // Indices beyond the palette are black; the 8-bit path and the packed paths agree.
    BmpSpec s = paletted(8);
    s.palette = {kRed, kGreen};
    s.pixels = packRows(8, {{0, 1, 2, 200, 255}});
    s.height = 1;
    auto picture = core::decodeBmp(makeBmp(s));
    ASSERT_TRUE(picture) << picture.message();
    EXPECT_EQ(picture.value(), pictureOf({{kRed, kGreen, kBlack, kBlack, kBlack}}));

    s = paletted(4);
    s.palette = {kRed};
    s.height = 1;
    s.pixels = packRows(4, {{0, 1, 15, 0, 7}});
    picture = core::decodeBmp(makeBmp(s));
    ASSERT_TRUE(picture) << picture.message();
    EXPECT_EQ(picture.value(), pictureOf({{kRed, kBlack, kBlack, kRed, kBlack}}));

    // A palette longer than the depth allows: only the first 2^bits entries count, and the
    // pixels are found through the data offset.
    s = paletted(1);
    s.palette = {kBlue, kWhite, kRed, kGreen};
    s.coloursUsed = 4;
    s.height = 1;
    s.pixels = packRows(1, {{0, 1, 1, 0, 1}});
    picture = core::decodeBmp(makeBmp(s));
    ASSERT_TRUE(picture) << picture.message();
    EXPECT_EQ(picture.value(), pictureOf({{kBlue, kWhite, kWhite, kBlue, kWhite}}));

    // A palette that claims more entries than fit before the pixel data is cut short there,
    // and unused bytes between palette and pixels are skipped.
    s = paletted(8);
    s.height = 1;
    s.palette = {kGreen, kBlue};
    s.coloursUsed = 200;
    s.pixels = packRows(8, {{0, 1, 2, 1, 0}});
    picture = core::decodeBmp(makeBmp(s));
    ASSERT_TRUE(picture) << picture.message();
    EXPECT_EQ(picture.value(), pictureOf({{kGreen, kBlue, kBlack, kBlue, kGreen}}));
    s.coloursUsed = 2;
    s.pixelOffset = 14 + 40 + 8 + 12;
    picture = core::decodeBmp(makeBmp(s));
    ASSERT_TRUE(picture) << picture.message();
    EXPECT_EQ(picture.value(), pictureOf({{kGreen, kBlue, kBlack, kBlue, kGreen}}));
}

// Palette files give indexed pictures: the palette as the file has it (count, order and
// duplicates kept) and every stored index, those beyond the palette too (which show black).
TEST(BmpDecode, PaletteFilesKeepTheirPaletteAndIndices) {
    const struct {
        const char* name;
        int bits;
        std::uint32_t compression;
        int headerSize;
        std::vector<Rgb> palette;
        Bytes data;                                  // as stored, bottom row first
        std::vector<std::vector<std::uint8_t>> rows; // expected indices, top row first
    } cases[] = {
        {"1 bit", 1, 0, 40, {kWhite, kBlack}, packRows(1, {{1, 0, 0}, {0, 1, 1}}), {{0, 1, 1}, {1, 0, 0}}},
        {"2 bits, a duplicate entry and an index beyond",
         2,
         0,
         40,
         {kBlue, kRed, kBlue},
         packRows(2, {{0, 1, 2}, {3, 2, 1}}),
         {{3, 2, 1}, {0, 1, 2}}},
        {"4 bits", 4, 0, 40, kPalette, packRows(4, {{15, 3, 2}, {1, 0, 9}}), {{1, 0, 9}, {15, 3, 2}}},
        {"8 bits, 12-byte header",
         8,
         0,
         12,
         {kGreen, kGreen, kRed},
         packRows(8, {{200, 2, 1}, {0, 255, 2}}),
         {{0, 255, 2}, {200, 2, 1}}},
        {"RLE8: pixels left unset keep index 0",
         8,
         1,
         40,
         kPalette,
         {2, 3, 0, 0, 1, 2, 0, 1},
         {{2, 0, 0}, {3, 3, 0}}},
        {"RLE4", 4, 2, 40, kPalette, {3, 0x12, 0, 0, 3, 0x3F, 0, 1}, {{3, 15, 3}, {1, 2, 1}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        BmpSpec s;
        s.width = 3;
        s.height = 2;
        s.bitsPerPixel = c.bits;
        s.compression = c.compression;
        s.headerSize = c.headerSize;
        s.palette = c.palette;
        s.coloursUsed = c.headerSize == 12 ? 0 : std::uint32_t(c.palette.size());
        s.pixels = c.data;
        if (c.headerSize == 12) s.pixelOffset = 14 + 12 + 3 * 3; // the palette as given, no more
        const auto picture = core::decodeBmp(makeBmp(s));
        ASSERT_TRUE(picture) << picture.message();
        const Picture& p = picture.value();
        ASSERT_TRUE(p.isIndexed());
        EXPECT_EQ(std::vector<Rgb>(p.palette()->entries().begin(), p.palette()->entries().end()), c.palette);
        for (int y = 0; y < 2; ++y) {
            EXPECT_EQ(std::vector<std::uint8_t>(p.indexRow(y), p.indexRow(y) + 3), c.rows[std::size_t(y)])
                << y;
            for (int x = 0; x < 3; ++x) {
                const std::uint8_t index = c.rows[std::size_t(y)][std::size_t(x)];
                EXPECT_EQ(p.pixel(x, y), index < c.palette.size() ? c.palette[index] : kBlack)
                    << x << "," << y;
            }
        }
    }
    const auto rgb = core::decodeBmp(makeBmp(trueColour(24, 0, 40, {}, {0xFF0000, 0xFF00, 0xFF})));
    ASSERT_TRUE(rgb) << rgb.message();
    EXPECT_FALSE(rgb.value().isIndexed());
}

TEST(BmpDecode, EightBitRowsOfEveryLengthExpandThroughTheFullPalette) {
    // The 8-bit path works in blocks of eight pixels and finishes each row one by one.
    std::vector<Rgb> palette;
    for (int i = 0; i < 256; ++i)
        palette.push_back({std::uint8_t(i), std::uint8_t(255 - i), std::uint8_t(i * 7)});
    for (int width : {1, 7, 8, 9, 16, 23, 256}) {
        SCOPED_TRACE(width);
        std::vector<std::vector<std::uint32_t>> rows;
        std::vector<std::vector<Rgb>> expected;
        for (int y = 0; y < 3; ++y) {
            rows.emplace_back();
            expected.emplace_back();
            for (int x = 0; x < width; ++x) {
                const std::uint32_t index = std::uint32_t(x * 13 + y * 101) % 256;
                rows.back().push_back(index);
                expected.back().push_back(palette[index]);
            }
        }
        BmpSpec s;
        s.width = width;
        s.height = 3;
        s.palette = palette;
        s.pixels = packRows(8, stored(rows, false));
        const auto picture = core::decodeBmp(makeBmp(s));
        ASSERT_TRUE(picture) << picture.message();
        EXPECT_EQ(picture.value(), pictureOf(expected));
    }
}

TEST(BmpDecode, MissingPaddingOfTheLastRowIsTolerated) {
    BmpSpec s = paletted(8);
    Bytes bytes = makeBmp(s);
    bytes.resize(bytes.size() - 3); // the last stored row is 5 bytes plus 3 of padding
    const auto picture = core::decodeBmp(bytes);
    ASSERT_TRUE(picture) << picture.message();
    EXPECT_EQ(picture.value(), expectedPicture(4));
}

struct RleCase {
    const char* name;
    int bits;
    int height; // negative: top-down
    Bytes data;
    std::vector<std::vector<Rgb>> expected; // top row first
};

TEST(BmpDecode, RleData) {
    // Palette: 0 red, 1 green, 2 blue, 3 white. Pictures are 5 x 2; stored rows go bottom first.
    const auto R = kRed, G = kGreen, B = kBlue, W = kWhite;
    const std::vector<RleCase> cases = {
        {"RLE8 runs and a literal",
         8,
         2,
         {3, 1, 2, 2, 0, 0, 0, 3, 3, 2, 1, 0, 2, 0, 0, 1},
         {{W, B, G, R, R}, {G, G, G, B, B}}},
        {"RLE8 top-down", 8, -2, {3, 1, 2, 2, 0, 0, 5, 3, 0, 1}, {{G, G, G, B, B}, {W, W, W, W, W}}},
        {"RLE8 delta skips keep the first palette colour",
         8,
         2,
         {1, 1, 0, 2, 2, 1, 2, 2, 0, 1},
         {{R, R, R, B, B}, {G, R, R, R, R}}},
        {"RLE8 early end of line and of bitmap",
         8,
         2,
         {2, 3, 0, 0, 1, 2, 0, 1},
         {{B, R, R, R, R}, {W, W, R, R, R}}},
        {"RLE8 runs past the row end are clipped",
         8,
         2,
         {255, 1, 0, 0, 0, 6, 3, 3, 3, 3, 3, 2, 0, 0, 200, 2},
         {{W, W, W, W, W}, {G, G, G, G, G}}},
        {"RLE8 data cut short", 8, 2, {5, 2, 0, 3, 1}, {{R, R, R, R, R}, {B, B, B, B, B}}},
        {"RLE8 codes past the last row are ignored",
         8,
         2,
         {5, 1, 0, 0, 5, 2, 0, 0, 5, 3, 0, 0, 0, 2, 9, 9, 5, 3},
         {{B, B, B, B, B}, {G, G, G, G, G}}},
        {"RLE4 runs alternate nibbles",
         4,
         2,
         {5, 0x12, 0, 0, 4, 0x30, 0, 1},
         {{W, R, W, R, R}, {G, B, G, B, G}}},
        {"RLE4 odd literal is padded to a word",
         4,
         2,
         {0, 3, 0x12, 0x30, 2, 0x11, 0, 0, 0, 5, 0x01, 0x23, 0x00, 0, 0, 1},
         {{R, G, B, W, R}, {G, B, W, G, G}}},
    };
    for (const RleCase& c : cases) {
        SCOPED_TRACE(c.name);
        BmpSpec s;
        s.width = 5;
        s.height = c.height;
        s.bitsPerPixel = c.bits;
        s.compression = c.bits == 8 ? 1 : 2;
        s.palette = kPalette;
        s.pixels = c.data;
        const auto picture = core::decodeBmp(makeBmp(s));
        ASSERT_TRUE(picture) << picture.message();
        EXPECT_EQ(picture.value(), pictureOf(c.expected));
    }
}

TEST(BmpDecode, InfoReportsTheHeaderAsRead) {
    BmpSpec s = paletted(4, true);
    s.compression = 2;
    s.pixels = {0, 1};
    auto info = core::readBmpInfo(makeBmp(s));
    ASSERT_TRUE(info) << info.message();
    EXPECT_EQ(info.value().width, 5);
    EXPECT_EQ(info.value().height, 3);
    EXPECT_TRUE(info.value().topDown);
    EXPECT_EQ(info.value().bitsPerPixel, 4);
    EXPECT_EQ(info.value().compression, "RLE4");
    EXPECT_EQ(info.value().headerSize, 40);

    // A header the decoder refuses for its compression still describes itself.
    s = trueColour(24, 4, 124, {}, {0xFF0000, 0xFF00, 0xFF});
    info = core::readBmpInfo(makeBmp(s));
    ASSERT_TRUE(info) << info.message();
    EXPECT_EQ(info.value().compression, "JPEG");
    EXPECT_EQ(info.value().headerSize, 124);
    EXPECT_FALSE(core::decodeBmp(makeBmp(s)));
}

} // namespace
