// Reading a user's mask picture as black garment and white bare skin, writing a mask file in
// the library's form, and the user accessories' multiply.

#include <gtest/gtest.h>

#include "core/codec/bmp.h"
#include "core/library/image_library.h"
#include "core/mask/mask_reading.h"
#include "core/multiply.h"
#include "core/raster_op.h"
#include "tests/file_test_support.h"

namespace {

using core::ImageId;
using core::Picture;
using core::Rgb;

constexpr Rgb kBlack{0, 0, 0}, kWhite{255, 255, 255};

TEST(MaskReading, ReadsGreysByTheirLightnessAndCountsThem) {
    const struct {
        Rgb colour;
        Rgb readAs;
        bool rounded;
    } cases[] = {
        {kBlack, kBlack, false},         {kWhite, kWhite, false}, {{100, 100, 100}, kBlack, true}, // L* 42
        {{135, 135, 135}, kWhite, true},                                                           // L* 56
        {{0, 0, 255}, kBlack, true},   // a saturated blue is dark: L* 32
        {{255, 255, 0}, kWhite, true}, // yellow is light: L* 97
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.colour.r) + ", " + std::to_string(c.colour.g) + ", " +
                     std::to_string(c.colour.b));
        // The colour in one corner of a white picture with a black half.
        std::vector<std::uint8_t> rgb;
        for (int y = 0; y < 256; ++y)
            for (int x = 0; x < 256; ++x) {
                const Rgb p = x == 0 && y == 0 ? c.colour : y < 128 ? kBlack : kWhite;
                rgb.insert(rgb.end(), {p.r, p.g, p.b});
            }
        auto read = core::readMask(Picture(256, 256, rgb));
        ASSERT_TRUE(read) << read.message();
        EXPECT_EQ(read.value().mask.pixel(0, 0), c.readAs);
        EXPECT_EQ(read.value().rounded, c.rounded ? 1 : 0);
        EXPECT_EQ(read.value().mask.pixel(5, 5), kBlack);
        EXPECT_EQ(read.value().mask.pixel(5, 200), kWhite);
    }
}

TEST(MaskReading, TheLibrarysOwnMasksReadAsTheyAre) {
    // A 1-bit mask and the one 24-bit mask.
    for (ImageId id : {ImageId::imgBikini, ImageId::imgBimbo}) {
        const Picture& mask = core::ImageLibrary::shared().picture(id);
        auto read = core::readMask(mask);
        ASSERT_TRUE(read) << read.message();
        EXPECT_EQ(read.value().mask, mask) << core::imageName(id);
        EXPECT_EQ(read.value().rounded, 0);
    }
}

TEST(MaskReading, RefusesAPictureOfAnotherSize) {
    for (const auto& [w, h] : {std::pair{255, 256}, {256, 512}, {128, 128}}) {
        auto read = core::readMask(Picture::filled(w, h, kWhite));
        ASSERT_FALSE(read);
        EXPECT_EQ(read.message(),
                  "it is " + std::to_string(w) + " × " + std::to_string(h) + " pixels, not 256 × 256.");
    }
}

class MaskFile : public filetest::TempFolderTest {};

TEST_F(MaskFile, IsAOneBitFileInTheLibrarysForm) {
    const Picture& bikini = core::ImageLibrary::shared().picture(ImageId::imgBikini);
    const std::string file = path("mask.bmp");
    ASSERT_TRUE(core::saveMask(bikini, file));
    const filetest::Bytes bytes = filetest::readAll(file);
    const std::span<const std::uint8_t> library = core::embeddedBmp(ImageId::imgBikini);
    ASSERT_EQ(bytes.size(), library.size());
    // Bits per pixel, the palette (black, then white) and the pixels as the library's file has
    // them; the header's resolution fields mean nothing and may differ.
    EXPECT_EQ(bytes[28], 1);
    const std::size_t paletteAt = 14 + 40;
    const filetest::Bytes palette(bytes.begin() + paletteAt, bytes.begin() + paletteAt + 8);
    EXPECT_EQ(palette, (filetest::Bytes{0, 0, 0, 0, 255, 255, 255, 0}));
    EXPECT_TRUE(std::equal(bytes.begin() + paletteAt, bytes.end(), library.begin() + paletteAt));
}

TEST(Multiply, KeepsTheSkinUnderWhiteAndDarkensByTheAccessorysShade) {
    const struct {
        std::uint8_t d, s, product;
    } cases[] = {{200, 255, 200}, {200, 0, 0}, {255, 77, 77}, {128, 128, 64}, {100, 51, 20}, {1, 128, 1}};
    for (const auto& c : cases)
        EXPECT_EQ(core::multiply(c.d, c.s), c.product) << int(c.d) << " x " << int(c.s);
    // An accessory smaller than the skin multiplies only where it lies.
    const Picture skin = Picture::filled(4, 2, {200, 100, 50});
    const Picture accessory = Picture::filled(2, 1, {255, 128, 0});
    const Picture result = core::multiplied(skin, accessory);
    EXPECT_EQ(result.pixel(0, 0), (Rgb{200, 50, 0}));
    EXPECT_EQ(result.pixel(1, 0), (Rgb{200, 50, 0}));
    EXPECT_EQ(result.pixel(2, 0), (Rgb{200, 100, 50}));
    EXPECT_EQ(result.pixel(0, 1), (Rgb{200, 100, 50}));
}

} // namespace
