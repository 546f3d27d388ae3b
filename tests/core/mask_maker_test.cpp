// The mask maker: a garment painted on a library body and saved as 8 bits gives back its true
// shape, the tolerance decides each pixel, and tidying cleans away exactly the areas it should.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/codec/bmp.h"
#include "core/colour_difference.h"
#include "core/eight_bit/eight_bit.h"
#include "core/library/image_library.h"
#include "core/mask/mask_maker.h"
#include "tests/file_test_support.h"

namespace {

using core::GarmentMap;
using core::ImageId;
using core::Picture;
using core::Rgb;

const Picture& library(ImageId id) {
    return core::ImageLibrary::shared().picture(id);
}

Picture pictureOf(const std::function<Rgb(int x, int y)>& colourAt) {
    std::vector<std::uint8_t> rgb;
    for (int y = 0; y < core::kSkinSize; ++y)
        for (int x = 0; x < core::kSkinSize; ++x) {
            const Rgb c = colourAt(x, y);
            rgb.insert(rgb.end(), {c.r, c.g, c.b});
        }
    return Picture(core::kSkinSize, core::kSkinSize, rgb);
}

// Where two maps differ: how many pixels, and the first.
::testing::AssertionResult sameMap(const GarmentMap& made, const GarmentMap& truth) {
    int wrong = 0;
    std::string first;
    for (int y = 0; y < core::kSkinSize; ++y)
        for (int x = 0; x < core::kSkinSize; ++x)
            if (made.at(x, y) != truth.at(x, y) && wrong++ == 0)
                first = "(" + std::to_string(x) + ", " + std::to_string(y) + ") is " +
                        (made.at(x, y) ? "garment" : "bare");
    if (wrong == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << wrong << " pixels differ from the true mask; first " << first;
}

class MadeFromEightBit : public filetest::TempFolderTest {
  protected:
    // The skin: the garment where the mask is black, the body elsewhere, saved as an 8-bit file
    // and read back, as a skin maker's finished skin reaches the mask maker.
    Picture savedSkin(ImageId mask, ImageId body, const std::function<Rgb(int x, int y)>& garment) {
        const Picture& m = library(mask);
        const Picture& b = library(body);
        const Picture skin = pictureOf([&](int x, int y) {
            return m.pixel(x, y) == core::kGarmentColour ? garment(x, y) : b.pixel(x, y);
        });
        const std::string file = path("skin.bmp");
        auto saved = core::saveEightBit(skin, Picture(), file);
        EXPECT_TRUE(saved) << saved.message();
        auto loaded = core::loadPicture(file);
        EXPECT_TRUE(loaded) << loaded.message();
        return loaded ? loaded.value() : Picture();
    }
};

TEST_F(MadeFromEightBit, GivesTheGarmentsTrueShape) {
    // Shades of blue, green and cyan far from any skin tone, in more colours than a palette holds, so
    // the save reduces them and moves the bare body's pixels too.
    const auto colourful = [](int x, int y) {
        return Rgb{std::uint8_t((x * 7 + y * 3) % 90), std::uint8_t(y),
                   std::uint8_t(255 - (x * 5 + y) % 100)};
    };
    // The corset shows the navel through a hole of two pixels; the thong has lace dots of two.
    for (ImageId mask : {ImageId::imgBikini, ImageId::imgCorset, ImageId::imgThong})
        for (ImageId body : {ImageId::imgLightBody, ImageId::imgMaleDark}) {
            SCOPED_TRACE(std::string(core::imageName(mask)) + " on " + std::string(core::imageName(body)));
            const Picture skin = savedSkin(mask, body, colourful);
            ASSERT_TRUE(skin.isIndexed()) << "the skin was not saved as 8 bits";
            auto made = core::makeMask(skin, library(body));
            ASSERT_TRUE(made) << made.message();
            EXPECT_TRUE(sameMap(core::garmentOf(made.value().mask), core::garmentOf(library(mask))));
            EXPECT_EQ(made.value().garmentPixels, core::garmentOf(library(mask)).garmentPixels());
        }
}

TEST_F(MadeFromEightBit, TellsASkinColouredGarmentFromTheBody) {
    // The hardest garment: the medium body's own skin on the light body, or the other way.
    const std::pair<ImageId, ImageId> pairs[] = {{ImageId::imgLightBody, ImageId::imgMedBody},
                                                 {ImageId::imgMedBody, ImageId::imgDarkBody},
                                                 {ImageId::imgMaleMed, ImageId::imgMaleLight}};
    for (const auto& [body, cloth] : pairs) {
        SCOPED_TRACE(std::string(core::imageName(body)));
        const Picture& fabric = library(cloth);
        const Picture skin =
            savedSkin(ImageId::imgTankTop, body, [&](int x, int y) { return fabric.pixel(x, y); });
        auto made = core::makeMask(skin, library(body));
        ASSERT_TRUE(made) << made.message();
        EXPECT_TRUE(
            sameMap(core::garmentOf(made.value().mask), core::garmentOf(library(ImageId::imgTankTop))));
    }
}

TEST(MaskMaker, TheToleranceDecidesEachPixel) {
    constexpr double kTolerance = 4.0;
    const Rgb body{200, 150, 120};
    const core::Lab bodyLab = core::labFromRgb(body);
    // The first shade of the body's colour (its green raised step by step) that lies further
    // than the tolerance from it, and the one before, which does not.
    Rgb within = body, beyond = body;
    for (int g = body.g; g < 256; ++g) {
        const Rgb c{body.r, std::uint8_t(g), body.b};
        if (core::deltaE2000(core::labFromRgb(c), bodyLab) > kTolerance) {
            beyond = c;
            break;
        }
        within = c;
    }
    ASSERT_NE(beyond, body);
    // Two rows of pairs of pixels, so that tidying leaves them: the left pair within the
    // tolerance, the right pair beyond it.
    const auto inPair = [](int x, int y, int left) {
        return y >= 100 && y < 102 && x >= left && x < left + 2;
    };
    const Picture skin = pictureOf([&](int x, int y) {
        if (inPair(x, y, 100)) return within;
        if (inPair(x, y, 150)) return beyond;
        return body;
    });
    auto made = core::makeMask(skin, Picture::filled(256, 256, body), kTolerance);
    ASSERT_TRUE(made) << made.message();
    GarmentMap expected;
    for (int y = 100; y < 102; ++y)
        for (int x = 150; x < 152; ++x)
            expected.garment[std::size_t(y) * core::kSkinSize + std::size_t(x)] = 1;
    EXPECT_TRUE(sameMap(core::garmentOf(made.value().mask), expected));
}

TEST(MaskMaker, RefusesPicturesOfAnotherSize) {
    const Picture skin = Picture::filled(256, 256, {1, 2, 3});
    const struct {
        Picture skin, body;
        std::string message;
    } cases[] = {
        {skin, Picture::filled(256, 255, {1, 2, 3}),
         "The body cannot be used: it is 256 × 255 pixels, not 256 × 256."},
        {Picture::filled(128, 128, {1, 2, 3}), skin,
         "The skin cannot be masked: it is 128 × 128 pixels, not 256 × 256."},
        {skin, Picture(), "The body cannot be used: it is 0 × 0 pixels, not 256 × 256."},
    };
    for (const auto& c : cases) {
        auto made = core::makeMask(c.skin, c.body);
        ASSERT_FALSE(made);
        EXPECT_EQ(made.message(), c.message);
        EXPECT_EQ(made.status().kind(), core::Status::Kind::Input);
    }
}

// Tidying, on maps drawn from a few areas: what stays and what goes, by the size and kind of
// each area.
struct TidyCase {
    std::string label;
    std::vector<std::pair<int, int>> garment; // pixels of garment on bare skin, or
    bool onGarment;                           // of bare skin cut from an all-garment map
    bool stays;
};

TEST(MaskTidy, CleansAwayAreasNoLargerThanTheLimitAndKeepsTheRest) {
    // A row of n pixels from (40, 40).
    const auto row = [](int n) {
        std::vector<std::pair<int, int>> pixels;
        for (int i = 0; i < n; ++i)
            pixels.push_back({40 + i, 40});
        return pixels;
    };
    const int limit = core::kTidyPixels;
    const std::vector<TidyCase> cases = {
        {"a garment speck of the limit's size", row(limit), false, false},
        {"a garment area one pixel larger", row(limit + 1), false, true},
        {"a hole of the limit's size", row(limit), true, false},
        {"a hole one pixel larger", row(limit + 1), true, true},
        {"a diagonal strap, its pixels joined at the corners",
         {{10, 10}, {11, 11}, {12, 12}, {13, 13}, {14, 14}},
         false,
         true},
        {"a lone speck in the skin's corner", {{0, 0}}, false, limit < 1},
        {"a lone hole on the skin's edge", {{255, 128}}, true, limit < 1},
    };
    for (const TidyCase& c : cases) {
        SCOPED_TRACE(c.label);
        GarmentMap map;
        std::fill(map.garment.begin(), map.garment.end(), std::uint8_t(c.onGarment ? 1 : 0));
        for (const auto& [x, y] : c.garment)
            map.garment[std::size_t(y) * core::kSkinSize + std::size_t(x)] = c.onGarment ? 0 : 1;
        const GarmentMap before = map;
        const core::TidyCounts counts = core::tidyMask(map);
        if (c.stays) {
            EXPECT_TRUE(sameMap(map, before));
            EXPECT_EQ(counts.specksCleared + counts.holesFilled, 0);
        } else {
            GarmentMap plain;
            std::fill(plain.garment.begin(), plain.garment.end(), std::uint8_t(c.onGarment ? 1 : 0));
            EXPECT_TRUE(sameMap(map, plain));
            EXPECT_EQ(c.onGarment ? counts.holesFilled : counts.specksCleared, 1);
        }
    }
}

} // namespace
