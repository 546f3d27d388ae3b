// Recolour: the shifts of hue, saturation and lightness on known colours, every pixel of a
// colourful raster shifted as its own colour, nothing changed outside the area, and masks: their
// garment and their size.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "core/retouch/recolour.h"
#include "retouch_test_support.h"

namespace {

using core::Rgb;
using core::retouch::HslShift;
using core::retouch::PixelArea;

TEST(Recolour, ShiftsHueSaturationAndLightness) {
    struct Case {
        Rgb colour;
        HslShift shift;
        Rgb expected;
    };
    const Case cases[] = {
        {{200, 50, 50}, {120, 0, 0}, {50, 200, 50}},    // red turns green
        {{200, 50, 50}, {-120, 0, 0}, {50, 50, 200}},   // or blue
        {{200, 50, 50}, {240, 0, 0}, {50, 50, 200}},    // a turn and a third is a third back
        {{200, 50, 50}, {0, -100, 0}, {125, 125, 125}}, // its grey of the same lightness
        {{150, 100, 100}, {0, 100, 0}, {175, 75, 75}},  // twice as saturated
        {{200, 50, 50}, {0, 0, -100}, {0, 0, 0}},       {{200, 50, 50}, {0, 0, 100}, {255, 255, 255}},
        {{200, 50, 50}, {0, 0, -50}, {100, 25, 25}}, // halfway to black
        {{90, 90, 90}, {77, 100, 0}, {90, 90, 90}},  // grey has no hue to turn
        {{200, 50, 50}, {0, 0, 0}, {200, 50, 50}},
    };
    for (const Case& c : cases) {
        const Rgb got = core::retouch::shifted(c.colour, c.shift);
        EXPECT_EQ(got, c.expected) << c.shift.hue << " " << c.shift.saturation << " " << c.shift.lightness
                                   << " gave " << int(got.r) << ", " << int(got.g) << ", " << int(got.b);
    }
}

TEST(Recolour, ChangesNothingOutsideItsArea) {
    // A garment of a and A on a skin of b; the mask marks the garment's place in black, and a
    // dark grey, but not the light grey at its edge.
    core::retouch::Raster raster = retouch_test::rasterOf({"bbbbb", "baAab", "bAaab", "bbbbb"});
    const core::retouch::Raster mask(5, 4, Rgb{255, 255, 255});
    core::retouch::Raster drawn = mask;
    drawn.fill({1, 1, 3, 2}, Rgb{0, 0, 0});
    drawn.setPixel(3, 2, {100, 100, 100});
    drawn.setPixel(0, 0, {200, 200, 200});
    const auto area = PixelArea::ofMask(drawn.picture(), 5, 4);
    ASSERT_TRUE(area) << area.message();
    const core::retouch::Raster before = raster;
    core::retouch::recolour(raster, {120, 0, 0}, area.value());
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x) {
            const bool inside = x >= 1 && x <= 3 && y >= 1 && y <= 2;
            const Rgb expected =
                inside ? core::retouch::shifted(before.pixel(x, y), {120, 0, 0}) : before.pixel(x, y);
            EXPECT_EQ(raster.pixel(x, y), expected) << x << ", " << y;
        }
    EXPECT_EQ(raster.pixel(1, 1), (Rgb{40, 200, 40}));

    // A rectangle, partly off the raster.
    core::retouch::Raster other = before;
    core::retouch::recolour(other, {0, 0, -100}, PixelArea::rectangle(5, 4, {3, 2, 9, 9}));
    EXPECT_EQ(retouch_test::textOf(other), (std::vector<std::string>{"bbbbb", "baAab", "bAa##", "bbb##"}));
}

TEST(Recolour, EachPixelGetsItsOwnColourShifted) {
    // 65,536 colours, more than the table of shifted colours holds, so that colours share
    // places in it.
    std::vector<std::uint8_t> rgb;
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x)
            rgb.insert(rgb.end(), {std::uint8_t(x), std::uint8_t(y), std::uint8_t(x * 7 + y * 13)});
    core::retouch::Raster raster(256, 256, rgb);
    const core::retouch::Raster before = raster;
    const HslShift shift{-75, 30, 10};
    core::retouch::recolour(raster, shift, PixelArea::whole(256, 256));
    int wrong = 0;
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x)
            wrong += raster.pixel(x, y) != core::retouch::shifted(before.pixel(x, y), shift);
    EXPECT_EQ(wrong, 0);
}

TEST(Recolour, AMaskOfAnotherSizeIsAUsageError) {
    const auto area = PixelArea::ofMask(core::Picture::filled(128, 256, {0, 0, 0}), 256, 256);
    ASSERT_FALSE(area);
    EXPECT_EQ(area.status().kind(), core::Status::Kind::Usage);
    EXPECT_EQ(area.message(), "the mask is 128 x 256 pixels; it must be 256 x 256, as the skin is");
    EXPECT_FALSE(PixelArea::ofMask(core::Picture(), 256, 256));
}

} // namespace
