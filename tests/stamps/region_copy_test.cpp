// Region copies, resizing and the runner's contract, on pictures whose pixels encode their
// own coordinates and which picture they belong to.

#include <gtest/gtest.h>

#include "stamp_test_support.h"

namespace {

using namespace stamps_test;
using core::Rgb;

struct RegionCase {
    std::string name;
    std::vector<Area> painted; // columns and rows that take the source's pixels
};

// The areas each region copy paints, as the layout of a skin puts them.
const std::vector<RegionCase> kRegionCases = {
    {"Command1", {{90, 255, 126, 255}}},
    {"Command6", {{90, 255, 165, 255}}},
    {"Command29", {{90, 255, 131, 255}}}, // its small first piece lies inside the second
    {"Command30", {{90, 255, 143, 255}}},
    {"Command91", {{90, 255, 201, 255}}},
    {"Command34", {{0, 90, 0, 7}, {0, 90, 241, 255}}},
    {"Command31", {{0, 90, 0, 23}, {0, 90, 225, 255}}},
    {"Command35", {{0, 90, 0, 63}, {0, 90, 185, 255}}},
    {"Command33", {{0, 89, 0, 72}, {0, 89, 178, 255}}},
    {"Command32", {{0, 89, 0, 82}, {0, 89, 165, 255}}},
    {"Command15", {{0, 89, 84, 164}}},
    {"Command14", {{0, 89, 55, 196}}},
    {"Command13", {{0, 89, 0, 255}}}, // the whole arm strip, column 90 untouched
    {"Command8", {{90, 255, 0, 81}}},
    {"Command9", {{90, 255, 0, 88}}},
    {"Command10", {{90, 255, 0, 99}}},
    {"Command12", {{90, 255, 89, 142}}},
    {"Command16", {{90, 255, 82, 161}}},
    {"Command17", {{103, 170, 162, 163}}},
    {"Command3", {{90, 255, 82, 125}}},
    {"Command4", {{90, 255, 89, 125}}},
    {"Command5", {{90, 255, 100, 164}}},
    {"Command11", {{90, 255, 87, 255}}},
    {"Command18", {}}, // "+" without a handler
};

bool inAny(const std::vector<Area>& areas, int x, int y) {
    for (const Area& a : areas)
        if (a.contains(x, y)) return true;
    return false;
}

class RegionCopy : public ::testing::Test {
  protected:
    void SetUp() override {
        ws.picSource.setPicture(coordinatePicture(256, 256, kSourceTag));
        ws.picTarget.setPicture(coordinatePicture(256, 256, kTargetTag));
    }
    stamps::Workspace ws;
};

TEST_F(RegionCopy, EachStampCopiesExactlyItsAreaFromTheLoadedSource) {
    const core::Picture source = ws.picSource.picture();
    const core::Picture target = ws.picTarget.picture();
    // A paint into the source canvas must not reach the copies: they read the loaded picture.
    ASSERT_TRUE(ws.picSource.paintPicture(core::Picture::filled(256, 256, {255, 255, 255}), wholeCanvas()));
    const core::Picture shownSource = ws.picSource.image();
    for (const RegionCase& c : kRegionCases) {
        SCOPED_TRACE(c.name);
        ws.picTarget.setPicture(target);
        for (int pressCount = 1; pressCount <= 2; ++pressCount) {
            SCOPED_TRACE("pressed " + std::to_string(pressCount) + " times");
            ASSERT_TRUE(press(ws, c.name));
            EXPECT_TRUE(canvasIs(ws.picTarget, [&](int x, int y) {
                return inAny(c.painted, x, y) ? source.pixel(x, y) : target.pixel(x, y);
            }));
            EXPECT_EQ(ws.picSource.image(), shownSource); // no region copy writes into picSource
        }
    }
}

TEST_F(RegionCopy, B475ShrinksSourceRows222To255OntoRows227To255) {
    ASSERT_TRUE(press(ws, "Command96"));
    // Columns unscaled; the 34 source rows 222-255 fall onto the 29 rows 227-255 in
    // proportion, row 227 + j reading source row 222 + floor(j * 34 / 29).
    EXPECT_TRUE(canvasIs(ws.picTarget, [&](int x, int y) -> Rgb {
        if (x < 90 || y < 227) return {std::uint8_t(x), std::uint8_t(y), kTargetTag};
        return {std::uint8_t(x), std::uint8_t(222 + (y - 227) * 34 / 29), kSourceTag};
    }));
    // The same rows written out: destination row -> the source row it shows.
    const std::pair<int, int> rows[] = {{227, 222}, {228, 223}, {229, 224},
                                        {241, 238}, {254, 253}, {255, 254}};
    for (const auto& [row, sourceRow] : rows)
        EXPECT_EQ(ws.picTarget.pixel(100, row), (Rgb{100, std::uint8_t(sourceRow), kSourceTag})) << row;
}

TEST_F(RegionCopy, LegCopiesTakeTheWholePictureRightAndBelowTheirCorner) {
    // A larger source: "to the edges" then reaches beyond the canvas and the copy shrinks.
    ws.picSource.setPicture(coordinatePicture(512, 512, kSourceTag));
    ASSERT_TRUE(press(ws, "Command1"));
    // Columns 90-511 onto 90-255 and rows 126-511 onto 126-255: the far corner comes from far away.
    EXPECT_EQ(ws.picTarget.pixel(90, 126), (Rgb{90, 126, kSourceTag}));
    EXPECT_EQ(ws.picTarget.pixel(255, 255).b, kSourceTag + 3);
    EXPECT_EQ(ws.picTarget.pixel(89, 126), (Rgb{89, 126, kTargetTag}));
}

struct ResizeCase {
    std::string label;
    int pictureSize;
    std::string button;
    bool onSource;
    int paintedSize; // columns and rows 0..paintedSize-1 are repainted
};

TEST(Resize, MapsTheWholeLoadedPictureOntoItsSquare) {
    const std::vector<ResizeCase> cases = {
        {"128 enlarged to 256", 128, "Command67", true, 256},
        {"512 shrunk to 256", 512, "Command67", true, 256},
        {"256 shrunk to 128", 256, "Command68", true, 128},
        {"128 copied unscaled", 128, "Command68", true, 128},
        {"destination 128 enlarged", 128, "Command70", false, 256},
        {"destination 256 restored", 256, "Command70", false, 256},
    };
    for (const ResizeCase& c : cases) {
        SCOPED_TRACE(c.label);
        stamps::Workspace ws;
        const core::Picture loaded = coordinatePicture(c.pictureSize, c.pictureSize, kSourceTag);
        core::Canvas& canvas = c.onSource ? ws.picSource : ws.picTarget;
        core::Canvas& other = c.onSource ? ws.picTarget : ws.picSource;
        canvas.setPicture(loaded);
        other.setPicture(coordinatePicture(256, 256, kTargetTag));
        // Paint over the canvas first: a resize shows the loaded picture again.
        ASSERT_TRUE(canvas.paintPicture(core::Picture::filled(256, 256, {1, 2, 3}), wholeCanvas()));
        const core::Picture before = canvas.image();
        const core::Picture otherBefore = other.image();

        for (int pressCount = 1; pressCount <= 2; ++pressCount) {
            ASSERT_TRUE(press(ws, c.button));
            EXPECT_TRUE(canvasIs(canvas, [&](int x, int y) {
                if (x >= c.paintedSize || y >= c.paintedSize) return before.pixel(x, y);
                // Destination pixel i shows source pixel floor(i * picture / painted).
                return loaded.pixel(x * c.pictureSize / c.paintedSize, y * c.pictureSize / c.paintedSize);
            }));
            EXPECT_EQ(other.image(), otherBefore);
            EXPECT_EQ(canvas.picture(), loaded); // the loaded picture keeps its size and pixels
        }
    }
}

TEST(Resize, RegionCopyAfterResizeStillReadsTheLoadedPicture) {
    stamps::Workspace ws;
    ws.picSource.setPicture(coordinatePicture(128, 128, kSourceTag));
    ws.picTarget.setPicture(coordinatePicture(256, 256, kTargetTag));
    ASSERT_TRUE(press(ws, "Command67"));
    ASSERT_TRUE(press(ws, "Command15")); // rows 84-164 of the arm strip
    EXPECT_EQ(ws.picTarget.pixel(10, 100), (Rgb{10, 100, kSourceTag}));
    // Below the 128 rows of the loaded picture there is nothing to copy; the destination stays.
    EXPECT_EQ(ws.picTarget.pixel(10, 150), (Rgb{10, 150, kTargetTag}));
}

TEST(Runner, StampsNeedingAnEmptyCanvasPictureFailAndPaintNothing) {
    struct Case {
        std::string button, message;
    };
    const std::vector<Case> cases = {
        {"Command1", "No source skin is loaded: open one in the source pane first."},
        {"Command39", "No source skin is loaded: open one in the source pane first."},
        {"Command67", "No source skin is loaded: open one in the source pane first."},
        {"Command70", "No destination skin is loaded: open one in the destination pane first."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        stamps::Workspace ws;
        const core::Picture source = ws.picSource.image(), target = ws.picTarget.image();
        const core::Status status = press(ws, c.button);
        EXPECT_FALSE(status);
        EXPECT_EQ(status.message(), c.message);
        EXPECT_EQ(ws.picSource.image(), source);
        EXPECT_EQ(ws.picTarget.image(), target);
    }
}

TEST(Runner, AFailingStepEndsTheStampAndKeepsEarlierPaints) {
    // A region copy, then a copy from the destination's loaded picture, which is empty.
    const stamps::PaintStep steps[] = {
        {stamps::PictureSource::SourcePicture, {}, stamps::CanvasId::picTarget, {0, 0, 10, 10, 0, 0, 10, 10}},
        {stamps::PictureSource::TargetPicture,
         {},
         stamps::CanvasId::picTarget,
         {20, 20, 10, 10, 0, 0, 10, 10}},
        {stamps::PictureSource::SourcePicture,
         {},
         stamps::CanvasId::picTarget,
         {40, 40, 10, 10, 0, 0, 10, 10}},
    };
    const stamps::ButtonSpec button{"CommandX", "x", stamps::Group::Ungrouped, {},   std::nullopt,
                                    "",         0,   stamps::Action::Paint,    steps};
    stamps::Workspace ws;
    ws.picSource.setPicture(coordinatePicture(256, 256, kSourceTag));
    const core::Status status = stamps::runButton(button, ws);
    EXPECT_FALSE(status);
    EXPECT_NE(status.message().find("No destination skin"), std::string::npos);
    EXPECT_TRUE(canvasIs(ws.picTarget, [&](int x, int y) {
        return Area{0, 9, 0, 9}.contains(x, y) ? Rgb{std::uint8_t(x), std::uint8_t(y), kSourceTag}
                                               : core::Canvas::kBackground;
    }));
}

TEST(Runner, ButtonsThatAreNotStampsPaintNothing) {
    for (const char* name : {"Command18", "Command69", "Command28", "Command37", "Command36"}) {
        SCOPED_TRACE(name);
        stamps::Workspace ws;
        ws.picSource.setPicture(coordinatePicture(256, 256, kSourceTag));
        ws.picTarget.setPicture(coordinatePicture(256, 256, kTargetTag));
        const core::Picture source = ws.picSource.image(), target = ws.picTarget.image();
        const core::Status status = press(ws, name);
        const bool noHandler = std::string(name) == "Command18" || std::string(name) == "Command69";
        EXPECT_EQ(status.isOk(), noHandler) << status.message();
        if (!noHandler) {
            EXPECT_NE(status.message().find("is not a stamp"), std::string::npos);
        }
        EXPECT_EQ(ws.picSource.image(), source);
        EXPECT_EQ(ws.picTarget.image(), target);
    }
}

} // namespace
