// Bad input is refused with a reason a user can read, before anything large is allocated:
// one table of damaged BMP and PNG files, read as the picture loader reads any file, plus every
// truncation of valid files of both formats.

#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "core/codec/bmp.h"
#include "core/codec/picture_file.h"
#include "tests/core/codec/bmp_test_fixtures.h"
#include "tests/core/codec/png_test_fixtures.h"

namespace {

using bmptest::BmpSpec;
using bmptest::Bytes;
using bmptest::makeBmp;
using bmptest::put32;

BmpSpec grey8(int width = 4, int height = 2) {
    BmpSpec s;
    s.width = width;
    s.height = height;
    s.palette = {{0, 0, 0}, {255, 255, 255}};
    s.pixels = Bytes(std::size_t((width + 3) / 4 * 4 * std::abs(height)), 1);
    return s;
}

Bytes edited(BmpSpec s, const std::function<void(BmpSpec&)>& edit) {
    edit(s);
    return makeBmp(s);
}

Bytes patched(Bytes b, std::size_t at, std::uint32_t value) {
    put32(b, at, value);
    return b;
}

Bytes cut(const Bytes& b, std::size_t length) {
    return Bytes(b.begin(), b.begin() + std::ptrdiff_t(length));
}

// A small true-colour PNG file, and one with a palette, as libpng writes them.
Bytes rgbPng() {
    pngtest::PngLayout s;
    s.width = 4;
    s.height = 2;
    s.samples = std::vector<int>(4 * 2 * 3, 99);
    return pngtest::writePng(s);
}

Bytes palettePng() {
    pngtest::PngLayout s;
    s.width = 4;
    s.height = 2;
    s.colourType = PNG_COLOR_TYPE_PALETTE;
    s.palette = {{0, 0, 0}, {255, 255, 255}};
    s.samples = std::vector<int>(4 * 2, 1);
    return pngtest::writePng(s);
}

// The PNG file with the header's 32-bit field at `at` set to value, its CRC made right.
Bytes pngHeader32(std::size_t at, std::uint32_t value) {
    Bytes file = rgbPng();
    pngtest::putBe32(file, at, value);
    pngtest::fixCrc(file, 8);
    return file;
}

// The PNG file with its first chunk of the type taken out whole.
Bytes withoutChunk(Bytes file, const char* type) {
    const std::size_t at = pngtest::chunkAt(file, type);
    file.erase(file.begin() + std::ptrdiff_t(at),
               file.begin() + std::ptrdiff_t(at + 12 + pngtest::readBe32(file, at)));
    return file;
}

// The PNG file with a byte of its image data changed, the chunk's CRC made right or left wrong.
Bytes damagedData(bool crcMadeRight) {
    Bytes file = rgbPng();
    const std::size_t at = pngtest::chunkAt(file, "IDAT");
    file[at + 8 + 4] ^= 0x55;
    if (crcMadeRight) pngtest::fixCrc(file, at);
    return file;
}

struct Malformed {
    const char* name;
    Bytes bytes;
    const char* reason; // a part of the message
};

TEST(PictureMalformed, RefusedWithAClearReason) {
    const Bytes valid = makeBmp(grey8());
    using pngtest::kBitDepth, pngtest::kColourType, pngtest::kHeaderData, pngtest::kInterlace;
    const std::vector<Malformed> cases = {
        {"empty", {}, "it is not a BMP or PNG file."},
        {"another format", {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0}, "it is not a BMP or PNG file."},
        {"OS/2 bitmap array", {'B', 'A', 0, 0}, "it is not a BMP or PNG file."},
        {"PNG signature only", cut(rgbPng(), 8), "the file is truncated: it ends inside its header."},
        {"PNG cut inside its header", cut(rgbPng(), 20), "the file is truncated: it ends inside its header."},
        {"PNG without its header chunk first", pngtest::withHeaderByte(rgbPng(), 12, 'X'),
         "does not begin with the header chunk (IHDR)"},
        {"PNG width 0", pngHeader32(kHeaderData, 0), "its width of 0 pixels is not valid."},
        {"PNG height 0", pngHeader32(kHeaderData + 4, 0), "its height of 0 pixels is not valid."},
        {"PNG width 2^31", pngHeader32(kHeaderData, 0x80000000u), "2147483648 x 2 pixels is too large"},
        {"PNG wider than the cap", pngHeader32(kHeaderData, 32769), "32769 x 2 pixels is too large"},
        {"PNG colour type 5", pngtest::withHeaderByte(rgbPng(), kColourType, 5),
         "its colour type 5 is not one the PNG format has"},
        {"PNG palette of 16 bits", pngtest::withHeaderByte(palettePng(), kBitDepth, 16),
         "16 bits a sample for colour type 3"},
        {"PNG RGB of 4 bits", pngtest::withHeaderByte(rgbPng(), kBitDepth, 4),
         "4 bits a sample for colour type 2"},
        {"PNG compression method 1", pngtest::withHeaderByte(rgbPng(), kHeaderData + 10, 1),
         "compression or filter method"},
        {"PNG filter method 1", pngtest::withHeaderByte(rgbPng(), kHeaderData + 11, 1),
         "compression or filter method"},
        {"PNG interlace method 2", pngtest::withHeaderByte(rgbPng(), kInterlace, 2), "interlace method"},
        {"PNG header's CRC wrong",
         [] {
             Bytes file = rgbPng();
             file[pngtest::kHeaderCrc] ^= 1;
             return file;
         }(),
         "its PNG data is damaged (IHDR: CRC error)."},
        {"PNG palette file without its palette", withoutChunk(palettePng(), "PLTE"),
         "its PNG data is damaged ("},
        {"PNG image data damaged", damagedData(true), "its PNG data is damaged ("},
        {"PNG image data's CRC wrong", damagedData(false), "its PNG data is damaged ("},
        {"PNG without image data", withoutChunk(rgbPng(), "IDAT"), "its PNG data is damaged ("},
        {"PNG cut inside its image data", cut(rgbPng(), pngtest::chunkAt(rgbPng(), "IDAT") + 12),
         "the file is truncated: it ends before its picture is complete."},
        {"file header only", cut(valid, 14), "truncated: it ends inside its header"},
        {"cut inside the information header", cut(valid, 40), "truncated: it ends inside its header"},
        {"header size 66", patched(valid, 14, 66), "header size of 66 bytes"},
        {"header size 0", patched(valid, 14, 0), "header size of 0 bytes"},
        {"width 0", patched(valid, 18, 0), "width of 0 pixels"},
        {"negative width", patched(valid, 18, std::uint32_t(-127)), "width of -127 pixels"},
        {"height 0", patched(valid, 22, 0), "height of 0 pixels"},
        {"height INT_MIN", patched(valid, 22, std::uint32_t(INT_MIN)), "too large"},
        {"3000000 x 2000000", patched(patched(valid, 18, 3000000), 22, 2000000),
         "3000000 x 2000000 pixels is too large"},
        {"wider than the cap", patched(valid, 18, 32769), "too large"},
        {"more pixels than the cap", patched(patched(valid, 18, 10000), 22, 10000), "too large"},
        {"two planes", edited(grey8(), [](BmpSpec& s) { s.planes = 2; }), "2 colour planes"},
        {"30000 bits per pixel", edited(grey8(), [](BmpSpec& s) { s.bitsPerPixel = 30000; }),
         "30000 bits per pixel"},
        {"64 bits per pixel", edited(grey8(), [](BmpSpec& s) { s.bitsPerPixel = 64; }), "64 bits per pixel"},
        {"RLE8 at 4 bits", edited(grey8(), [](BmpSpec& s) { s.bitsPerPixel = 4, s.compression = 1; }),
         "4 bits per pixel"},
        {"bit fields at 24 bits",
         edited(grey8(),
                [](BmpSpec& s) {
                    s.bitsPerPixel = 24, s.compression = 3, s.masks = {0xFF, 0xFF00, 0xFF0000};
                }),
         "24 bits per pixel"},
        {"embedded JPEG",
         edited(grey8(), [](BmpSpec& s) { s.bitsPerPixel = 0, s.compression = 4, s.headerSize = 124; }),
         "embedded JPEG image"},
        {"embedded PNG",
         edited(grey8(), [](BmpSpec& s) { s.bitsPerPixel = 0, s.compression = 5, s.headerSize = 124; }),
         "embedded PNG image"},
        {"OS/2 Huffman 1D",
         edited(grey8(), [](BmpSpec& s) { s.bitsPerPixel = 1, s.compression = 3, s.headerSize = 64; }),
         "Huffman 1D compression"},
        {"OS/2 RLE24",
         edited(grey8(), [](BmpSpec& s) { s.bitsPerPixel = 24, s.compression = 4, s.headerSize = 64; }),
         "RLE24 compression"},
        {"unknown compression", edited(grey8(), [](BmpSpec& s) { s.compression = 11; }),
         "unknown kind of compression (code 11)"},
        {"offset inside the header", patched(valid, 10, 20),
         "pixel data offset of 20 bytes points outside the file"},
        {"offset past the end", patched(valid, 10, 5000), "offset of 5000 bytes points outside the file"},
        {"pixel data cut short", cut(valid, valid.size() - 5), "truncated: it holds 3 of the 8 bytes"},
        {"size larger than the data", patched(valid, 22, 1000), "truncated"},
        {"masks with gaps",
         edited(grey8(),
                [](BmpSpec& s) {
                    s.bitsPerPixel = 32, s.compression = 3, s.masks = {0xF0F, 0xF000, 0xFF0000};
                }),
         "masks are not valid"},
        {"16-bit masks beyond 16 bits",
         edited(grey8(),
                [](BmpSpec& s) {
                    s.bitsPerPixel = 16, s.compression = 3, s.masks = {0x1F0000, 0x3E0, 0x1F};
                }),
         "do not fit its 16-bit pixels"},
        {"masks cut off",
         cut(edited(grey8(),
                    [](BmpSpec& s) {
                        s.bitsPerPixel = 16, s.compression = 3, s.masks = {1, 2, 4};
                    }),
             60),
         "truncated: it ends inside its colour masks"},
        {"tiny RLE data claiming a big picture",
         edited(grey8(),
                [](BmpSpec& s) {
                    s.compression = 1, s.width = 8192, s.height = 8192, s.pixels = {0, 1};
                }),
         "compressed data is far too short"},
    };
    for (const Malformed& c : cases) {
        SCOPED_TRACE(c.name);
        const auto picture = core::decodePicture(c.bytes);
        ASSERT_FALSE(picture);
        EXPECT_NE(picture.message().find(c.reason), std::string::npos) << picture.message();
    }
}

TEST(PictureMalformed, EveryTruncationIsRefusedOrDecodedWithinTheFile) {
    // Each depth's decoder sees data that ends at every possible byte.
    std::vector<Bytes> files = {makeBmp(grey8(7, 3))};
    BmpSpec rle = grey8(7, 3);
    rle.compression = 1;
    rle.pixels = {3, 1, 0, 4, 1, 0, 1, 0, 0, 0, 0, 2, 1, 1, 7, 0, 0, 1};
    files.push_back(makeBmp(rle));
    BmpSpec bits = grey8(7, 3);
    bits.bitsPerPixel = 16;
    bits.compression = 3;
    bits.masks = {0xF800, 0x07E0, 0x001F};
    bits.pixels = Bytes(16 * 3, 0x5A);
    files.push_back(makeBmp(bits));
    // A PNG file of each kind of rows libpng hands over: indices, RGB and RGBA, one interlaced.
    for (const int type : {PNG_COLOR_TYPE_PALETTE, PNG_COLOR_TYPE_RGB, PNG_COLOR_TYPE_RGB_ALPHA}) {
        pngtest::PngLayout png;
        png.width = 7;
        png.height = 3;
        png.colourType = type;
        png.interlaced = type == PNG_COLOR_TYPE_RGB_ALPHA;
        png.palette = {{1, 2, 3}, {4, 5, 6}};
        for (int i = 0; i < 7 * 3 * pngtest::channelsOf(type); ++i)
            png.samples.push_back(type == PNG_COLOR_TYPE_PALETTE ? i % 2 : i * 7 % 256);
        files.push_back(pngtest::writePng(png));
    }
    for (const Bytes& file : files)
        for (std::size_t length = 0; length < file.size(); ++length) {
            const auto picture = core::decodePicture(cut(file, length));
            if (picture) {
                EXPECT_EQ(picture.value().picture.width(), 7);
                EXPECT_EQ(picture.value().picture.height(), 3);
            } else {
                EXPECT_FALSE(picture.message().empty());
            }
        }
}

} // namespace
