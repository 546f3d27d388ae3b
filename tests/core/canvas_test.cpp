// The canvas and its paint operation: loaded picture versus persistent image, omitted sizes,
// clipping, stretching and the raster operations.

#include <gtest/gtest.h>

#include "core/canvas.h"
#include "tests/core/picture_test_support.h"

namespace {

using core::Canvas;
using core::PaintArgs;
using core::Picture;
using core::RasterOp;
using core::Rgb;
using picturetest::coordinatePicture;

// The tag of the pictures painted here; kOtherTag tells a second one apart.
constexpr std::uint8_t kTag = 4, kOtherTag = 8;

PaintArgs rect(int x1, int y1, int w1, int h1, int x2, int y2) {
    PaintArgs a;
    a.x1 = float(x1);
    a.y1 = float(y1);
    a.width1 = std::int16_t(w1);
    a.height1 = std::int16_t(h1);
    a.x2 = std::int16_t(x2);
    a.y2 = std::int16_t(y2);
    return a;
}

TEST(Canvas, StartsEmptyWithTheBackgroundColour) {
    Canvas canvas;
    EXPECT_TRUE(canvas.picture().isEmpty());
    EXPECT_EQ(canvas.image(), Picture::filled(256, 256, Canvas::kBackground));
}

TEST(Canvas, SmallPictureCoversTheTopLeftOnly) {
    Canvas canvas;
    canvas.setPicture(coordinatePicture(128, 128, kTag));
    EXPECT_EQ(canvas.picture().width(), 128);
    EXPECT_EQ(canvas.pixel(127, 127), (Rgb{127, 127, kTag}));
    EXPECT_EQ(canvas.pixel(128, 0), Canvas::kBackground);
    EXPECT_EQ(canvas.pixel(0, 128), Canvas::kBackground);
    EXPECT_EQ(canvas.pixel(255, 255), Canvas::kBackground);
}

// Loading drops earlier paints and loads: what a smaller picture leaves uncovered is background
// again, and an empty picture leaves only background.
TEST(Canvas, APictureLoadedOverAnotherShowsTheBackgroundWhereItDoesNotReach) {
    Canvas canvas;
    canvas.setPicture(Picture::filled(256, 256, {1, 2, 3}));
    canvas.setPicture(Picture::filled(100, 256, {4, 5, 6}));
    EXPECT_EQ(canvas.pixel(99, 255), (Rgb{4, 5, 6}));
    EXPECT_EQ(canvas.pixel(100, 0), Canvas::kBackground);
    EXPECT_EQ(canvas.pixel(255, 255), Canvas::kBackground);
    canvas.setPicture(Picture::filled(256, 256, {1, 2, 3}));
    canvas.setPicture(Picture());
    EXPECT_EQ(canvas.image(), Picture::filled(256, 256, Canvas::kBackground));
}

TEST(Canvas, LargePictureShowsItsTopLeftButKeepsEveryPixel) {
    Canvas canvas;
    canvas.setPicture(coordinatePicture(512, 512, kTag));
    EXPECT_EQ(canvas.picture().width(), 512);
    EXPECT_EQ(canvas.pixel(255, 255), (Rgb{255, 255, kTag}));

    // The whole 512 x 512 picture shrinks onto the canvas: every second pixel.
    Canvas target;
    ASSERT_TRUE(target.paintPicture(canvas.picture(), rect(0, 0, 256, 256, 0, 0)));
    EXPECT_EQ(target.pixel(1, 1), (Rgb{2, 2, kTag}));
    EXPECT_EQ(target.pixel(200, 100),
              (Rgb{std::uint8_t(400), 200, std::uint8_t(kTag + 1)})); // x = 400: the second block
}

TEST(Canvas, AssigningAPictureDiscardsEarlierPaints) {
    Canvas canvas;
    const Picture skin = coordinatePicture(256, 256, kTag);
    canvas.setPicture(skin);
    ASSERT_TRUE(canvas.paintPicture(Picture::filled(8, 8, {1, 2, 3}), rect(0, 0, 8, 8, 0, 0)));
    EXPECT_EQ(canvas.pixel(0, 0), (Rgb{1, 2, 3}));
    EXPECT_EQ(canvas.picture(), skin) << "painting never changes the loaded picture";
    canvas.setPicture(skin);
    EXPECT_EQ(canvas.image(), skin);
}

TEST(Canvas, OmittedSourceSizeRunsToThePictureEdgesUnscaled) {
    // The "Miniskirt" copy: columns 90-255, rows 126-255, nothing scaled.
    Canvas canvas;
    const Picture source = coordinatePicture(256, 256, kOtherTag);
    ASSERT_TRUE(canvas.paintPicture(source, rect(90, 126, 166, 130, 90, 126)));
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            const bool inside = x >= 90 && y >= 126;
            ASSERT_EQ(canvas.pixel(x, y), inside ? source.pixel(x, y) : Canvas::kBackground) << x << "," << y;
        }
}

TEST(Canvas, StretchMapsDestinationOntoSourceByNearestNeighbour) {
    // The "b475" copy: 34 source rows 222-255 shrink onto destination rows 227-255.
    Canvas canvas;
    const Picture source = coordinatePicture(256, 256, kTag);
    ASSERT_TRUE(canvas.paintPicture(source, rect(90, 227, 166, 29, 90, 222)));
    for (int j = 0; j < 29; ++j) {
        const int sourceRow = 222 + j * 34 / 29;
        EXPECT_EQ(canvas.pixel(90, 227 + j), (Rgb{90, std::uint8_t(sourceRow), kTag})) << "row " << 227 + j;
        EXPECT_EQ(canvas.pixel(255, 227 + j).r, 255) << "columns are not scaled";
    }
    EXPECT_EQ(canvas.pixel(90, 227).g, 222);
    EXPECT_EQ(canvas.pixel(90, 226), Canvas::kBackground);
    EXPECT_EQ(canvas.pixel(89, 240), Canvas::kBackground);
}

TEST(Canvas, StretchEnlargesToo) {
    Canvas canvas;
    const Picture tiny = coordinatePicture(2, 2, kTag);
    ASSERT_TRUE(canvas.paintPicture(tiny, rect(0, 0, 4, 4, 0, 0)));
    EXPECT_EQ(canvas.pixel(1, 1), (Rgb{0, 0, kTag}));
    EXPECT_EQ(canvas.pixel(2, 1), (Rgb{1, 0, kTag}));
    EXPECT_EQ(canvas.pixel(3, 3), (Rgb{1, 1, kTag}));
    EXPECT_EQ(canvas.pixel(4, 0), Canvas::kBackground);
}

TEST(Canvas, ClipsAtTheCanvasEdges) {
    struct Case {
        const char* what;
        int x1, y1, w1, h1;
        int paintedLeft, paintedTop, paintedRight, paintedBottom; // inclusive; right < left: nothing
    };
    const Case cases[] = {
        {"a 19-row strip at row 238 loses its last row", 90, 238, 166, 19, 90, 238, 255, 255},
        {"past the right edge", 250, 10, 20, 5, 250, 10, 255, 14},
        {"above and left of the canvas", -5, -3, 10, 10, 0, 0, 4, 6},
        {"wholly outside", 300, 300, 10, 10, 0, 0, -1, -1},
        {"zero width", 10, 10, 0, 10, 0, 0, -1, -1},
    };
    const Picture source = Picture::filled(300, 300, {1, 2, 3});
    for (const Case& c : cases) {
        Canvas canvas;
        PaintArgs args = rect(c.x1, c.y1, c.w1, c.h1, 0, 0);
        args.width2 = std::int16_t(c.w1);
        args.height2 = std::int16_t(c.h1);
        ASSERT_TRUE(canvas.paintPicture(source, args)) << c.what;
        for (int y = 0; y < 256; ++y)
            for (int x = 0; x < 256; ++x) {
                const bool painted =
                    x >= c.paintedLeft && x <= c.paintedRight && y >= c.paintedTop && y <= c.paintedBottom;
                ASSERT_EQ(canvas.pixel(x, y), painted ? (Rgb{1, 2, 3}) : Canvas::kBackground)
                    << c.what << " at " << x << "," << y;
            }
    }
}

TEST(Canvas, SourceOutsideThePictureLeavesTheDestinationAlone) {
    // A 128 x 128 skin under a stamp made for 256 x 256: only the part the picture covers paints.
    Canvas canvas;
    const Picture small = coordinatePicture(128, 128, kTag);
    PaintArgs sized = rect(90, 100, 166, 50, 90, 100);
    sized.width2 = 166;
    sized.height2 = 50;
    ASSERT_TRUE(canvas.paintPicture(small, sized));
    EXPECT_EQ(canvas.pixel(127, 127), (Rgb{127, 127, kTag}));
    EXPECT_EQ(canvas.pixel(128, 110), Canvas::kBackground);
    EXPECT_EQ(canvas.pixel(100, 128), Canvas::kBackground);
    // Omitted sizes from a corner beyond the picture leave nothing to read.
    ASSERT_TRUE(canvas.paintPicture(small, rect(165, 165, 91, 91, 165, 165)));
    EXPECT_EQ(canvas.pixel(200, 200), Canvas::kBackground);
}

TEST(Canvas, RasterOperationsCombineEachChannelBitwise) {
    // The platform's own codes, which readers of other paint code will meet.
    static_assert(
        std::uint32_t(RasterOp::SRCCOPY) == 0xCC0020 && std::uint32_t(RasterOp::SRCPAINT) == 0xEE0086 &&
        std::uint32_t(RasterOp::SRCAND) == 0x8800C6 && std::uint32_t(RasterOp::NOTSRCCOPY) == 0x330008);
    struct Case {
        RasterOp op;
        Rgb expected;
    };
    const Rgb d{0b1100'1010, 0x0F, 0xF0}, s{0b1010'0110, 0x3C, 0x3C};
    const Case cases[] = {
        {RasterOp::SRCCOPY, s},
        {RasterOp::SRCPAINT, {0b1110'1110, 0x3F, 0xFC}},
        {RasterOp::SRCAND, {0b1000'0010, 0x0C, 0x30}},
        {RasterOp::NOTSRCCOPY, {0b0101'1001, 0xC3, 0xC3}},
    };
    for (const Case& c : cases) {
        Canvas canvas;
        canvas.setPicture(Picture::filled(256, 256, d));
        PaintArgs args = rect(0, 0, 256, 256, 0, 0);
        args.op = c.op;
        ASSERT_TRUE(canvas.paintPicture(Picture::filled(256, 256, s), args));
        EXPECT_EQ(canvas.pixel(17, 200), c.expected) << core::rasterOpName(c.op);
    }
    // A paint that names no operation copies.
    Canvas canvas;
    canvas.setPicture(Picture::filled(256, 256, d));
    ASSERT_TRUE(canvas.paintPicture(Picture::filled(256, 256, s), rect(0, 0, 256, 256, 0, 0)));
    EXPECT_EQ(canvas.pixel(17, 200), s);
}

TEST(Canvas, MaskOrThenAndLeavesWhiteUnderWhiteAndBlackUnderBlack) {
    std::vector<std::uint8_t> rgb;
    for (int i = 0; i < 256 * 256; ++i) {
        const std::uint8_t v = (i % 3 == 0) ? 255 : 0;
        rgb.insert(rgb.end(), {v, v, v});
    }
    const Picture mask(256, 256, std::move(rgb));
    Canvas canvas;
    canvas.setPicture(coordinatePicture(256, 256, kTag));
    PaintArgs args = rect(0, 0, 256, 256, 0, 0);
    args.op = RasterOp::SRCPAINT;
    ASSERT_TRUE(canvas.paintPicture(mask, args));
    args.op = RasterOp::SRCAND;
    ASSERT_TRUE(canvas.paintPicture(mask, args));
    EXPECT_EQ(canvas.image(), mask);
}

TEST(Canvas, RefusesAnEmptyPictureWithoutPainting) {
    Canvas canvas;
    const Picture before = canvas.image();
    const core::Status status = canvas.paintPicture(Picture(), rect(0, 0, 10, 10, 0, 0));
    EXPECT_FALSE(status);
    EXPECT_EQ(status.message(), "There is no picture to paint from.");
    EXPECT_EQ(canvas.image(), before);
}

TEST(Canvas, ImageIsASnapshot) {
    Canvas canvas;
    const Picture before = canvas.image();
    ASSERT_TRUE(canvas.paintPicture(Picture::filled(1, 1, {}), rect(0, 0, 1, 1, 0, 0)));
    EXPECT_EQ(before.pixel(0, 0), Canvas::kBackground);
    EXPECT_EQ(canvas.image().pixel(0, 0), (Rgb{0, 0, 0}));
}

} // namespace
