// Band copies between the two rows marked last on the destination, and the "Mask" button.

#include <gtest/gtest.h>

#include "stamp_test_support.h"

namespace {

using namespace stamps_test;
using core::Rgb;

class BandCopy : public ::testing::Test {
  protected:
    void SetUp() override {
        ws.picSource.setPicture(coordinatePicture(256, 256, kSourceTag));
        ws.picTarget.setPicture(coordinatePicture(256, 256, kTargetTag));
    }
    // Columns 90-255 of rows first..last come from the source; everything else stays.
    ::testing::AssertionResult bandIs(int first, int last) {
        return canvasIs(ws.picTarget, [&](int x, int y) {
            const bool inBand = x >= 90 && y >= first && y <= last;
            return Rgb{std::uint8_t(x), std::uint8_t(y), inBand ? kSourceTag : kTargetTag};
        });
    }
    stamps::Workspace ws;
};

TEST_F(BandCopy, TheBandRunsFromTheSmallerMarkToJustAboveTheLarger) {
    struct Case {
        std::string label;
        std::vector<double> marks;
        int first, last;
    };
    const std::vector<Case> cases = {
        {"before any click", {}, 0, 0},
        {"one click on 40 (the other caption reads 0)", {40}, 0, 39},
        {"one click on 0", {0}, 0, 0},
        {"150 then 100", {150, 100}, 100, 149},
        {"100 then 150", {100, 150}, 100, 149},
        {"two clicks on 70", {70, 70}, 70, 70},
        {"only the last two of 100, 150, 200", {100, 150, 200}, 150, 199},
        {"255 then 0", {255, 0}, 0, 254},
        {"255 twice reaches the last row", {255, 255}, 255, 255},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        SetUp();
        ws.marker = stamps::RowMarker();
        for (double row : c.marks)
            ws.marker.mark(row);
        ASSERT_TRUE(press(ws, "Command39"));
        EXPECT_TRUE(bandIs(c.first, c.last));
        // The captions stay, so pressing again repaints the same band.
        ASSERT_TRUE(press(ws, "Command39"));
        EXPECT_TRUE(bandIs(c.first, c.last));
    }
}

TEST_F(BandCopy, TopCopiesTheLoadedSourceAndMaskTheShownOne) {
    // Whatever is painted into the source canvas, "Top" reads the file as loaded...
    ASSERT_TRUE(ws.picSource.paintPicture(core::Picture::filled(256, 256, {0, 0, 0}), wholeCanvas()));
    ws.marker.mark(100);
    ws.marker.mark(110);
    ASSERT_TRUE(press(ws, "Command39"));
    EXPECT_TRUE(bandIs(100, 109));

    // ...while "Mask" ANDs what the canvas shows into the whole destination.
    ASSERT_TRUE(
        ws.picSource.paintPicture(core::Picture::filled(256, 256, {0x0F, 0xF0, 0xFF}), wholeCanvas()));
    const core::Picture before = ws.picTarget.image();
    ASSERT_TRUE(press(ws, "Command94"));
    EXPECT_TRUE(canvasIs(ws.picTarget, [&](int x, int y) {
        const Rgb d = before.pixel(x, y);
        return Rgb{std::uint8_t(d.r & 0x0F), std::uint8_t(d.g & 0xF0), d.b};
    }));
}

// "Mask" on two small loaded pictures, its output written out by hand: each channel of the
// destination ANDed with what the source canvas shows, the empty canvas's grey (240) included.
TEST(MaskStamp, ANDsTheShownSourceIntoTheDestination) {
    stamps::Workspace ws;
    // 2 x 1 pictures: r, g, b of the left pixel, then of the right one.
    ws.picSource.setPicture(
        core::Picture(2, 1, std::vector<std::uint8_t>{0x0F, 0xF0, 0xAA, 0xFF, 0x00, 0x81}));
    ws.picTarget.setPicture(
        core::Picture(2, 1, std::vector<std::uint8_t>{0x3C, 0x3C, 0xFF, 0x7E, 0xFF, 0x18}));
    ASSERT_TRUE(press(ws, "Command94"));
    EXPECT_EQ(ws.picTarget.pixel(0, 0), (Rgb{0x0C, 0x30, 0xAA}));
    EXPECT_EQ(ws.picTarget.pixel(1, 0), (Rgb{0x7E, 0x00, 0x00}));
    EXPECT_EQ(ws.picTarget.pixel(0, 1), (Rgb{240, 240, 240})); // 240 AND 240
    EXPECT_EQ(ws.picTarget.pixel(255, 255), (Rgb{240, 240, 240}));
    EXPECT_EQ(ws.picSource.pixel(1, 0), (Rgb{0xFF, 0x00, 0x81})); // the source is only read
}

} // namespace
