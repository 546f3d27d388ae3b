// Pictures of both kinds: an indexed picture (palette and indices) gives the same colours, the
// same equality and the same painting as the RGB picture of its colours.

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "core/canvas.h"

namespace {

using core::Canvas;
using core::Palette;
using core::Picture;
using core::Rgb;

// 300 x 260 pixels whose index tells where they lie; the palette has fewer entries than
// the indices reach, so some pixels show black, and a duplicate entry.
struct Twins {
    Picture indexed, rgb;
};
Twins twins() {
    constexpr int w = 300, h = 260;
    std::vector<Rgb> entries;
    for (int i = 0; i < 250; ++i)
        entries.push_back({std::uint8_t(i), std::uint8_t(255 - i), std::uint8_t(i * 7)});
    entries[3] = entries[4];
    const Palette palette(entries);
    std::vector<std::uint8_t> indices, rgb;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const auto index = std::uint8_t(x * 3 + y * 11);
            indices.push_back(index);
            const Rgb c = index < entries.size() ? entries[index] : Rgb{};
            rgb.insert(rgb.end(), {c.r, c.g, c.b});
        }
    return {Picture(w, h, palette, indices), Picture(w, h, rgb)};
}

TEST(Picture, EqualityComparesColoursWhicheverKindEitherIs) {
    const Twins t = twins();
    EXPECT_TRUE(t.indexed.isIndexed());
    EXPECT_FALSE(t.rgb.isIndexed());
    EXPECT_EQ(t.indexed, t.rgb);
    EXPECT_EQ(t.rgb, t.indexed);
    std::vector<std::uint8_t> indices(300 * 260, 1);
    indices.back() = 2; // one pixel of another colour, at the very end
    const Picture ones(300, 260, *t.indexed.palette(), std::vector<std::uint8_t>(300 * 260, 1));
    EXPECT_NE(Picture(300, 260, *t.indexed.palette(), indices), ones);
    EXPECT_NE(Picture(), ones);
}

TEST(Picture, RunsOfARowGiveTheSameColoursFromEitherKind) {
    const Twins t = twins();
    for (const auto& [x, y, count] : {std::array{0, 0, 300}, {17, 100, 64}, {299, 259, 1}, {250, 3, 50}}) {
        const std::uint8_t* own = t.rgb.rgb(x, y, count, nullptr); // an RGB picture's own bytes
        const std::vector<std::uint8_t> expected(own, own + count * 3);
        std::vector<std::uint8_t> scratch(std::size_t(count) * 3 + 1, 0xA5); // a guard byte past the run
        const std::uint8_t* got = t.indexed.rgb(x, y, count, scratch.data());
        EXPECT_EQ(std::vector<std::uint8_t>(got, got + count * 3), expected) << x << "," << y;
        EXPECT_EQ(scratch.back(), 0xA5) << x << "," << y;
    }
}

TEST(Picture, AnIndexedPicturePaintsLikeItsColours) {
    const Twins t = twins();
    Canvas fromIndexed, fromRgb;
    fromIndexed.setPicture(t.indexed); // larger than the canvas: its top-left shows
    fromRgb.setPicture(t.rgb);
    EXPECT_EQ(fromIndexed.image(), fromRgb.image());

    const core::PaintArgs paints[] = {
        {10, 20, 200, 100, 40, 7, 200, 100, core::RasterOp::SRCAND},
        {-5, 200, 300, 80, 3, 150, 290, 50, core::RasterOp::SRCPAINT}, // stretched both ways
        // To the picture's edges: 210 columns onto 166, 38 rows onto 29.
        {90, 227, 166, 29, 90, 222, std::nullopt, std::nullopt, core::RasterOp::NOTSRCCOPY},
    };
    for (const core::PaintArgs& paint : paints) {
        ASSERT_TRUE(fromIndexed.paintPicture(t.indexed, paint));
        ASSERT_TRUE(fromRgb.paintPicture(t.rgb, paint));
        EXPECT_EQ(fromIndexed.image(), fromRgb.image()) << paint.x1 << "," << paint.y1;
    }
}

} // namespace
