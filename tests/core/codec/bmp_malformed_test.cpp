// Bad input is refused with a reason a user can read, before anything large is allocated:
// one table of damaged headers, plus every truncation of a valid file.

#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "core/codec/bmp.h"
#include "tests/core/codec/bmp_test_fixtures.h"

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

struct Malformed {
    const char* name;
    Bytes bytes;
    const char* reason; // a part of the message
};

TEST(BmpMalformed, RefusedWithAClearReason) {
    const Bytes valid = makeBmp(grey8());
    const std::vector<Malformed> cases = {
        {"empty", {}, "it is not a BMP file."},
        {"another format", {0x89, 'P', 'N', 'G', 13, 10, 26, 10, 0, 0, 0, 13}, "it is not a BMP file."},
        {"OS/2 bitmap array", {'B', 'A', 0, 0}, "it is not a BMP file."},
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
        const auto picture = core::decodeBmp(c.bytes);
        ASSERT_FALSE(picture);
        EXPECT_NE(picture.message().find(c.reason), std::string::npos) << picture.message();
    }
}

TEST(BmpMalformed, EveryTruncationIsRefusedOrDecodedWithinTheFile) {
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
    for (const Bytes& file : files)
        for (std::size_t length = 0; length < file.size(); ++length) {
            const auto picture = core::decodeBmp(cut(file, length));
            if (picture) {
                EXPECT_EQ(picture.value().width(), 7);
                EXPECT_EQ(picture.value().height(), 3);
            } else {
                EXPECT_FALSE(picture.message().empty());
            }
        }
}

} // namespace
