// The retouching paints on small rasters drawn as letters: pencil dabs and lines, fill (four
// neighbours only, the colour test, a colour the test also accepts), replace, the selection's
// copy, flip and paste, and colours as "#rrggbb".

#include <gtest/gtest.h>

#include "core/retouch/colour_text.h"
#include "core/retouch/fill.h"
#include "core/retouch/pencil.h"
#include "core/retouch/selection.h"
#include "retouch_test_support.h"

namespace {

using core::Rgb;
using core::retouch::Point;
using core::retouch::Raster;
using core::retouch::Rect;
using retouch_test::colourOf;
using retouch_test::rasterOf;
using retouch_test::textOf;
using Rows = std::vector<std::string>;

const Rgb kX = colourOf('x');

TEST(Pencil, DabsAreSquaresAroundThePointClippedAtTheEdges) {
    struct Case {
        Point at;
        int size;
        Rows expected;
    };
    const Case cases[] = {
        {{2, 2}, 1, {".....", ".....", "..x..", ".....", "....."}},
        // An even size reaches one further up and left: the point is the lower right of the middle four.
        {{2, 2}, 2, {".....", ".xx..", ".xx..", ".....", "....."}},
        {{2, 2}, 3, {".....", ".xxx.", ".xxx.", ".xxx.", "....."}},
        {{0, 4}, 3, {".....", ".....", ".....", "xx...", "xx..."}},
        {{9, 9}, 8, {".....", ".....", ".....", ".....", "....."}},
    };
    for (const Case& c : cases) {
        Raster raster = rasterOf({".....", ".....", ".....", ".....", "....."});
        core::retouch::dab(raster, c.at, c.size, kX);
        EXPECT_EQ(textOf(raster), c.expected) << "at " << c.at.x << ", " << c.at.y << ", size " << c.size;
    }
}

TEST(Pencil, ALineDabsEveryPixelFromEndToEnd) {
    Raster raster = rasterOf({"......", "......", "......"});
    core::retouch::line(raster, {5, 2}, {0, 0}, 1, kX);
    EXPECT_EQ(textOf(raster), (Rows{"xx....", "..xx..", "....xx"}));

    Raster wide = rasterOf({"......", "......", "......", "......"});
    core::retouch::line(wide, {1, 1}, {1, 1}, 2, kX);
    EXPECT_EQ(textOf(wide), (Rows{"xx....", "xx....", "......", "......"}));
    core::retouch::line(wide, {3, 2}, {5, 2}, 2, kX);
    EXPECT_EQ(textOf(wide), (Rows{"xx....", "xxxxxx", "..xxxx", "......"}));
}

TEST(Fill, SpreadsToTheFourNeighboursOnlyNeverCornerToCorner) {
    Raster raster = rasterOf({"aaba", "abaa", "baab"});
    core::retouch::fill(raster, {0, 0}, kX, core::retouch::exactly(colourOf('a')));
    EXPECT_EQ(textOf(raster), (Rows{"xxba", "xbaa", "baab"}));
    // From the other area it runs round its bends, up, down, left and right.
    core::retouch::fill(raster, {1, 2}, kX, core::retouch::exactly(colourOf('a')));
    EXPECT_EQ(textOf(raster), (Rows{"xxbx", "xbxx", "bxxb"}));
}

TEST(Fill, TakesTheColoursItsTestAcceptsAndStopsAtTheOthers) {
    const Rows start{"aAab.", "Ab.Aa", "aaAba"};
    // Exactly a: the nearly alike A stops it.
    Raster exact = rasterOf(start);
    core::retouch::fill(exact, {0, 0}, kX, core::retouch::exactly(colourOf('a')));
    EXPECT_EQ(textOf(exact), (Rows{"xAab.", "Ab.Aa", "aaAba"}));
    // A tolerance that takes a and A alike fills the whole area around them.
    const core::retouch::ColourTest near = [](Rgb c) { return c == colourOf('a') || c == colourOf('A'); };
    Raster tolerant = rasterOf(start);
    core::retouch::fill(tolerant, {0, 0}, kX, near);
    EXPECT_EQ(textOf(tolerant), (Rows{"xxxb.", "xb.Aa", "xxxba"}));
}

TEST(Fill, EndsWhenItsColourPassesItsOwnTestAndDoesNothingOnARefusedPixel) {
    Raster raster = rasterOf({"aab", "aba"});
    // x passes the test too: every pixel is still visited once.
    core::retouch::fill(raster, {0, 0}, kX, [](Rgb c) { return c != colourOf('b'); });
    EXPECT_EQ(textOf(raster), (Rows{"xxb", "xba"}));
    core::retouch::fill(raster, {2, 0}, colourOf('c'), core::retouch::exactly(colourOf('a')));
    EXPECT_EQ(textOf(raster), (Rows{"xxb", "xba"}));
}

TEST(Replace, ChangesEveryPixelOfTheColourWhereverItIs) {
    Raster raster = rasterOf({"abAa", "bab.", "Aaab"});
    core::retouch::replace(raster, kX, core::retouch::exactly(colourOf('a')));
    EXPECT_EQ(textOf(raster), (Rows{"xbAx", "bxb.", "Axxb"}));
}

TEST(Selection, CopiesFlipsAndPastesClippedAtTheEdges) {
    const Raster raster = rasterOf({"abc.", "#ab.", "..x."});
    const Raster piece = core::retouch::copyArea(raster, {0, 0, 3, 2});
    EXPECT_EQ(textOf(piece), (Rows{"abc", "#ab"}));
    // Only the part on the raster is copied.
    EXPECT_EQ(textOf(core::retouch::copyArea(raster, {2, 1, 5, 5})), (Rows{"b.", "x."}));
    using core::retouch::Flip;
    EXPECT_EQ(textOf(core::retouch::flipped(piece, Flip::Horizontally)), (Rows{"cba", "ba#"}));
    EXPECT_EQ(textOf(core::retouch::flipped(piece, Flip::Vertically)), (Rows{"#ab", "abc"}));

    Raster onto = rasterOf({"....", "....", "...."});
    core::retouch::paste(onto, piece, {2, 1});
    EXPECT_EQ(textOf(onto), (Rows{"....", "..ab", "..#a"}));
    core::retouch::paste(onto, piece, {-1, -1});
    EXPECT_EQ(textOf(onto), (Rows{"ab..", "..ab", "..#a"}));
}

TEST(Rect, SpansTwoCornersInEitherOrderAndClips) {
    EXPECT_EQ(Rect::spanning({3, 1}, {1, 4}), (Rect{1, 1, 3, 4}));
    EXPECT_EQ(Rect::spanning({2, 2}, {2, 2}), (Rect{2, 2, 1, 1}));
    EXPECT_EQ((Rect{-2, 3, 5, 5}.within({0, 0, 4, 6})), (Rect{0, 3, 3, 3}));
    EXPECT_TRUE((Rect{5, 0, 2, 2}.within({0, 0, 4, 4})).isEmpty());
}

TEST(ColourText, ReadsAndWritesHashAndSixHexDigits) {
    EXPECT_EQ(core::retouch::parseColour("#ff8000"), (Rgb{255, 128, 0}));
    EXPECT_EQ(core::retouch::parseColour("#0a0B0c"), (Rgb{10, 11, 12}));
    for (const char* bad : {"", "#", "ff8000", "#ff800", "#ff80000", "#gg0000", "#ff 800", "red"})
        EXPECT_FALSE(core::retouch::parseColour(bad)) << bad;
    EXPECT_EQ(core::retouch::colourText({255, 128, 0}), "#ff8000");
    EXPECT_EQ(core::retouch::colourText({10, 11, 12}), "#0a0b0c");
}

} // namespace
