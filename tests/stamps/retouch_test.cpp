// Retouching as steps of the history: a stroke of many dabs is one step, undone and redone
// whole; a retouch that changes nothing is still a step of its own; the destination then has
// changes, as after a stamp; and the outfit masks a recolour can be kept within.

#include <gtest/gtest.h>

#include <set>

#include "core/retouch/pencil.h"
#include "stamp_test_support.h"
#include "stamps/edits.h"
#include "stamps/outfit_masks.h"
#include "stamps/retouch.h"

namespace {

using core::retouch::Raster;
using stamps::CanvasId;
using namespace stamps_test;

constexpr core::Rgb kInk{250, 250, 0};

// A dab of kInk, 2 pixels wide, at (x, y).
stamps::PixelEdit dabAt(int x, int y) {
    return [x, y](Raster& raster) { core::retouch::dab(raster, {x, y}, 2, kInk); };
}

// The destination as loaded, with kInk on the 2 x 2 squares whose lower right pixel is listed.
std::function<core::Rgb(int, int)> inkedAt(std::vector<core::retouch::Point> dabs) {
    return [dabs](int x, int y) {
        for (const auto& d : dabs)
            if ((x == d.x || x == d.x - 1) && (y == d.y || y == d.y - 1)) return kInk;
        return core::Rgb{std::uint8_t(x), std::uint8_t(y), kTargetTag};
    };
}

struct RetouchTest : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(
            stamps::openPicture(w, CanvasId::picTarget, coordinatePicture(256, 256, kTargetTag), "b.bmp"));
    }
    stamps::Workspace w;
};

TEST_F(RetouchTest, AStrokeFromPressToReleaseIsOneStep) {
    ASSERT_TRUE(stamps::beginStroke(w));
    for (const auto& [x, y] : {std::pair{10, 10}, {40, 12}, {200, 250}}) {
        ASSERT_TRUE(stamps::paintStroke(w, dabAt(x, y)));
        // Each dab shows at once.
        EXPECT_EQ(w.picTarget.pixel(x, y), kInk);
    }
    ASSERT_TRUE(stamps::endStroke(w, std::string(stamps::kPencilStep)));
    EXPECT_TRUE(canvasIs(w.picTarget, inkedAt({{10, 10}, {40, 12}, {200, 250}})));
    EXPECT_EQ(w.history.undoName(), "Pencil");

    ASSERT_TRUE(stamps::undo(w));
    EXPECT_TRUE(canvasIs(w.picTarget, inkedAt({})));
    EXPECT_EQ(w.history.undoName(), "Open b.bmp");
    ASSERT_TRUE(stamps::redo(w));
    EXPECT_TRUE(canvasIs(w.picTarget, inkedAt({{10, 10}, {40, 12}, {200, 250}})));
}

TEST_F(RetouchTest, EachRetouchIsAStepEvenWhenItChangesNothing) {
    ASSERT_TRUE(stamps::retouch(w, std::string(stamps::kFillStep), dabAt(5, 5)));
    ASSERT_TRUE(stamps::retouch(w, stamps::mirrorStepName(core::retouch::Side::Left), [](Raster&) {}));
    EXPECT_EQ(w.history.undoName(), "Mirror Left onto Right");
    ASSERT_TRUE(stamps::undo(w));
    // Undo took back the retouch that changed nothing, and only it.
    EXPECT_TRUE(canvasIs(w.picTarget, inkedAt({{5, 5}})));
    EXPECT_EQ(w.history.undoName(), "Fill");
    EXPECT_EQ(w.history.redoName(), "Mirror Left onto Right");
    ASSERT_TRUE(stamps::undo(w));
    EXPECT_TRUE(canvasIs(w.picTarget, inkedAt({})));
}

// The window asks to save a destination whose revision is not the one it last loaded or saved.
TEST_F(RetouchTest, TheDestinationHasChangesUntilTheRetouchIsUndone) {
    const std::uint64_t loaded = w.picTarget.revision();
    const std::uint64_t source = w.picSource.revision();
    ASSERT_TRUE(stamps::retouch(w, std::string(stamps::kPencilStep), dabAt(100, 100)));
    EXPECT_NE(w.picTarget.revision(), loaded);
    EXPECT_EQ(w.picSource.revision(), source); // retouching is of the destination only
    ASSERT_TRUE(stamps::undo(w));
    EXPECT_EQ(w.picTarget.revision(), loaded);
}

// A stroke given up leaves the destination exactly as it was, revision too, so the destination
// has no changes and the history's steps still apply.
TEST_F(RetouchTest, AStrokeGivenUpPutsTheDestinationBackAndKeepsNoStep) {
    ASSERT_TRUE(stamps::retouch(w, std::string(stamps::kFillStep), dabAt(5, 5)));
    const std::uint64_t before = w.picTarget.revision();
    ASSERT_TRUE(stamps::beginStroke(w));
    ASSERT_TRUE(stamps::paintStroke(w, dabAt(60, 60)));
    ASSERT_TRUE(stamps::paintStroke(w, dabAt(61, 90)));
    stamps::cancelStroke(w);
    EXPECT_TRUE(canvasIs(w.picTarget, inkedAt({{5, 5}})));
    EXPECT_EQ(w.picTarget.revision(), before);
    EXPECT_EQ(w.history.undoName(), "Fill");
    ASSERT_TRUE(stamps::undo(w));
    EXPECT_TRUE(canvasIs(w.picTarget, inkedAt({})));
}

TEST(OutfitMasks, OfferEveryMaskPictureOnceByItsName) {
    const stamps::OutfitMask* bikini = stamps::findOutfitMask("imgBikini");
    ASSERT_TRUE(bikini);
    EXPECT_EQ(bikini->image, core::ImageId::imgBikini);
    EXPECT_EQ(bikini->caption, "Bikini 402");
    // Two buttons cut with imgCorset; the first in the table names it.
    ASSERT_TRUE(stamps::findOutfitMask("imgCorset"));
    EXPECT_EQ(stamps::findOutfitMask("imgCorset")->caption, "Corset");
    for (const char* notAMask : {"imgMedBody", "imgGoldRing", "Bikini 402", "imgbikini", ""})
        EXPECT_FALSE(stamps::findOutfitMask(notAMask)) << notAMask;

    // Every picture of the mask holders, and the bodysuit's, once each.
    std::set<core::ImageId> expected{core::ImageId::imgBodySuit};
    for (int i = 0; i < core::kImageCount; ++i) {
        const auto id = core::ImageId(i);
        if (core::holderName(core::holderOf(id)).starts_with("frmMasks")) expected.insert(id);
    }
    std::set<core::ImageId> offered;
    for (const stamps::OutfitMask& mask : stamps::outfitMasks())
        EXPECT_TRUE(offered.insert(mask.image).second) << core::imageName(mask.image);
    EXPECT_EQ(offered, expected);
}

} // namespace
