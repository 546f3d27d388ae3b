// Stamps that paint the pictures the program carries: outfit masks, body fills, band copies
// from the bare bodies, and accessories.

#include <gtest/gtest.h>

#include "stamp_test_support.h"

namespace {

using namespace stamps_test;
using core::ImageId;
using core::Rgb;

const core::Picture& library(ImageId id) {
    return core::ImageLibrary::shared().picture(id);
}

Rgb combine(core::RasterOp op, Rgb d, Rgb s) {
    return {core::combine(op, d.r, s.r), core::combine(op, d.g, s.g), core::combine(op, d.b, s.b)};
}
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};

class LibraryStamps : public ::testing::Test {
  protected:
    void SetUp() override {
        if (core::embeddedBmp(ImageId::imgLightBody).empty())
            GTEST_SKIP() << "the library pictures are not built in";
        reset(ws);
    }
    static void reset(stamps::Workspace& workspace) {
        workspace = stamps::Workspace();
        workspace.picSource.setPicture(coordinatePicture(256, 256, kSourceTag));
        workspace.picTarget.setPicture(coordinatePicture(256, 256, kTargetTag));
    }
    // Runs the presses on a fresh workspace.
    static stamps::Workspace after(const std::vector<std::string>& presses) {
        stamps::Workspace workspace;
        reset(workspace);
        for (const std::string& name : presses)
            EXPECT_TRUE(press(workspace, name)) << name;
        return workspace;
    }
    static ::testing::AssertionResult sameCanvases(const stamps::Workspace& a, const stamps::Workspace& b) {
        if (auto target = sameImage(a.picTarget, b.picTarget); !target) return target << " (picTarget)";
        if (auto source = sameImage(a.picSource, b.picSource); !source) return source << " (picSource)";
        return ::testing::AssertionSuccess();
    }
    stamps::Workspace ws;
};

std::vector<const stamps::ButtonSpec*> outfitMasks() {
    std::vector<const stamps::ButtonSpec*> masks;
    for (const stamps::ButtonSpec& b : stamps::allButtons())
        if (b.group == stamps::Group::OutfitMasks) masks.push_back(&b);
    return masks;
}

TEST_F(LibraryStamps, MaskThenBodyFillCutsTheGarmentOutExactly) {
    const core::Picture target = ws.picTarget.picture();
    const core::Picture& body = library(ImageId::imgMedBody);
    for (const stamps::ButtonSpec* mask : outfitMasks()) {
        SCOPED_TRACE(std::string(mask->name));
        const core::Picture& m = library(mask->steps.front().image);
        reset(ws);
        ASSERT_TRUE(stamps::runButton(*mask, ws));
        ASSERT_TRUE(press(ws, "Command52")); // "Med Fem"
        // Garment (black in the mask): the loaded destination; the rest: the bare body.
        EXPECT_TRUE(canvasIs(ws.picTarget, [&](int x, int y) {
            const Rgb mp = m.pixel(x, y);
            EXPECT_TRUE(mp == kBlack || mp == kWhite) << "mask pixel " << x << ", " << y;
            return mp == kBlack ? target.pixel(x, y) : body.pixel(x, y);
        }));
    }
}

TEST_F(LibraryStamps, EveryBodyFillsTheWhiteOfTheMask) {
    const core::Picture target = ws.picTarget.picture();
    const core::Picture& m = library(ImageId::imgBikini);
    const std::vector<std::pair<std::string, ImageId>> bodies = {
        {"cmddjfld", ImageId::imgLightBody}, {"Command52", ImageId::imgMedBody},
        {"Command53", ImageId::imgDarkBody}, {"Command57", ImageId::imgMaleLight},
        {"Command58", ImageId::imgMaleMed},  {"Command59", ImageId::imgMaleDark},
    };
    for (const auto& [button, bodyId] : bodies) {
        SCOPED_TRACE(button);
        const core::Picture& body = library(bodyId);
        stamps::Workspace result = after({"Command56", button});
        EXPECT_TRUE(canvasIs(result.picTarget, [&](int x, int y) {
            return m.pixel(x, y) == kBlack ? target.pixel(x, y) : body.pixel(x, y);
        }));
        // The source canvas shows the body with a white, garment-shaped hole.
        EXPECT_TRUE(canvasIs(result.picSource, [&](int x, int y) {
            return m.pixel(x, y) == kBlack ? kWhite : body.pixel(x, y);
        }));
    }
}

TEST_F(LibraryStamps, PressSequencesThatEqualSimplerOnes) {
    struct Case {
        std::string label;
        std::vector<std::string> presses, same;
    };
    const std::vector<Case> cases = {
        {"a mask pressed twice", {"Command56", "Command56"}, {"Command56"}},
        {"another mask pressed twice", {"Command92", "Command92"}, {"Command92"}},
        {"\"test\" then \"Light  Fem\"", {"Command56", "Command95", "cmddjfld"}, {"Command56", "cmddjfld"}},
        {"\"test\" then \"Mask\"", {"Command56", "Command95", "Command94"}, {"Command56", "cmddjfld"}},
        {"\"Corset\" and \"1Piece\"", {"Command83", "cmddjfld"}, {"Command48", "cmddjfld"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_TRUE(sameCanvases(after(c.presses), after(c.same)));
    }
    // b1 AND (b1 OR b2) = b1: the second fill leaves the destination as the first made it.
    EXPECT_TRUE(sameImage(after({"Command56", "cmddjfld", "Command52"}).picTarget,
                          after({"Command56", "cmddjfld"}).picTarget));
}

TEST_F(LibraryStamps, B328ThenB328LegsWhitensTheBodyArea) {
    const core::Picture target = ws.picTarget.picture();
    const core::Picture& top = library(ImageId::imgb328);
    const core::Picture& legs = library(ImageId::imgB328legs);
    stamps::Workspace result = after({"Command92", "Command93"});
    // The masks have no black pixel in common within columns 90-255: all of it turns white.
    EXPECT_TRUE(canvasIs(result.picTarget, [&](int x, int y) {
        const Rgb ored = combine(core::RasterOp::SRCPAINT, target.pixel(x, y), top.pixel(x, y));
        const Rgb expected = combine(core::RasterOp::SRCPAINT, ored, legs.pixel(x, y));
        EXPECT_TRUE(x < 90 || expected == kWhite) << "body pixel " << x << ", " << y << " is not white";
        return expected;
    }));
    // A body fill then paints the body only where the legs mask is white; the legs stay white.
    const core::Picture before = result.picTarget.image();
    const core::Picture& body = library(ImageId::imgLightBody);
    ASSERT_TRUE(press(result, "cmddjfld"));
    EXPECT_TRUE(canvasIs(result.picTarget, [&](int x, int y) {
        const Rgb d = before.pixel(x, y);
        return legs.pixel(x, y) == kWhite ? combine(core::RasterOp::SRCAND, d, body.pixel(x, y)) : d;
    }));
}

TEST_F(LibraryStamps, BandCopiesFromTheBareBodies) {
    const std::vector<std::pair<std::string, ImageId>> bands = {
        {"Command38", ImageId::imgLightBody}, {"Command40", ImageId::imgMedBody},
        {"Command41", ImageId::imgDarkBody},  {"Command60", ImageId::imgMaleLight},
        {"Command61", ImageId::imgMaleMed},   {"Command62", ImageId::imgMaleDark},
    };
    const core::Picture target = ws.picTarget.picture();
    for (const auto& [button, bodyId] : bands) {
        SCOPED_TRACE(button);
        const core::Picture& body = library(bodyId);
        reset(ws);
        ws.marker.mark(150);
        ws.marker.mark(100);
        ASSERT_TRUE(press(ws, button));
        EXPECT_TRUE(canvasIs(ws.picTarget, [&](int x, int y) {
            return x >= 90 && y >= 100 && y <= 149 ? body.pixel(x, y) : target.pixel(x, y);
        }));
    }
}

struct AccessoryCase {
    std::string button;
    ImageId image;
    int width, height; // the image's own size
    int x1, y1;        // where its top-left pixel lands
    core::RasterOp op;
    Area painted; // what remains on the canvas after clipping
};

// clang-format off
const std::vector<AccessoryCase> kAccessories = {
    {"Command27", ImageId::imgBlackSneakers, 166, 19, 90, 238, core::RasterOp::SRCAND, {90, 255, 238, 255}},
    {"Command26", ImageId::imgRedSneakers, 166, 19, 90, 238, core::RasterOp::SRCAND, {90, 255, 238, 255}},
    {"Command25", ImageId::imgSandals, 166, 13, 90, 244, core::RasterOp::SRCAND, {90, 255, 244, 255}},
    {"Command24", ImageId::imgSmallBlackBoots, 166, 23, 90, 233, core::RasterOp::SRCCOPY, {90, 255, 233, 255}},
    {"Command23", ImageId::imgSmallBrownBoots, 166, 23, 90, 233, core::RasterOp::SRCCOPY, {90, 255, 233, 255}},
    {"Command22", ImageId::imgBigBlackBoots, 166, 71, 90, 185, core::RasterOp::SRCCOPY, {90, 255, 185, 255}},
    {"Command7", ImageId::imgHighHeels, 166, 19, 90, 238, core::RasterOp::SRCAND, {90, 255, 238, 255}},
    {"Command19", ImageId::imgMidriffLgt, 166, 7, 90, 82, core::RasterOp::SRCCOPY, {90, 255, 82, 88}},
    {"Command20", ImageId::imgMidriffMed, 166, 7, 90, 82, core::RasterOp::SRCCOPY, {90, 255, 82, 88}},
    {"Command21", ImageId::imgMidriffDrk, 166, 7, 90, 82, core::RasterOp::SRCCOPY, {90, 255, 82, 88}},
    {"Command42", ImageId::imgSilverRing, 3, 3, 217, 85, core::RasterOp::SRCCOPY, {217, 219, 85, 87}},
    {"Command43", ImageId::imgGoldRing, 3, 3, 217, 85, core::RasterOp::SRCCOPY, {217, 219, 85, 87}},
    {"Command44", ImageId::imgMaidCollar, 119, 13, 121, 8, core::RasterOp::SRCAND, {121, 239, 8, 20}},
};
// clang-format on

TEST_F(LibraryStamps, AccessoriesPaintTheirPictureAtTheirPlaceOnly) {
    const core::Picture target = ws.picTarget.picture();
    for (const AccessoryCase& c : kAccessories) {
        SCOPED_TRACE(c.button);
        const core::Picture& image = library(c.image);
        ASSERT_EQ(image.width(), c.width);
        ASSERT_EQ(image.height(), c.height);
        reset(ws);
        const core::Picture source = ws.picSource.image();
        for (int pressCount = 1; pressCount <= 2; ++pressCount) {
            ASSERT_TRUE(press(ws, c.button));
            EXPECT_TRUE(canvasIs(ws.picTarget,
                                 [&](int x, int y) {
                                     const Rgb d = target.pixel(x, y);
                                     return c.painted.contains(x, y)
                                                ? combine(c.op, d, image.pixel(x - c.x1, y - c.y1))
                                                : d;
                                 }))
                << "after " << pressCount << " presses";
            EXPECT_EQ(ws.picSource.image(), source);
        }
    }
}

TEST_F(LibraryStamps, AccessoriesInEitherOrder) {
    const auto& sneakers = library(ImageId::imgBlackSneakers);
    const auto& boots = library(ImageId::imgSmallBlackBoots);
    const auto& ring = library(ImageId::imgSilverRing);

    // Sneakers over boots are ANDed onto the boot pixels.
    stamps::Workspace bootsFirst = after({"Command24", "Command27"});
    EXPECT_EQ(bootsFirst.picTarget.pixel(150, 240),
              combine(core::RasterOp::SRCAND, boots.pixel(60, 7), sneakers.pixel(60, 2)));
    // Boots over sneakers leave no trace of them.
    EXPECT_TRUE(sameCanvases(after({"Command27", "Command24"}), after({"Command24"})));
    // A midriff covers a ring; a ring on a midriff replaces its 3 x 3 pixels, corners included.
    EXPECT_TRUE(sameCanvases(after({"Command42", "Command19"}), after({"Command19"})));
    stamps::Workspace ringLast = after({"Command19", "Command42"});
    for (int y = 85; y <= 87; ++y)
        for (int x = 217; x <= 219; ++x)
            EXPECT_EQ(ringLast.picTarget.pixel(x, y), ring.pixel(x - 217, y - 85));
    EXPECT_EQ(ringLast.picTarget.pixel(216, 85), library(ImageId::imgMidriffLgt).pixel(126, 3));
    // The gold ring replaces the silver one completely.
    EXPECT_TRUE(sameCanvases(after({"Command42", "Command43"}), after({"Command43"})));
}

} // namespace
