// The skin layout: the named edges bound the parts the design gives in pixels, and the zoom
// view names every pixel and draws its lines where those parts meet.

#include <gtest/gtest.h>

#include <string>

#include "preview/skin_layout.h"

namespace {

using core::lastBefore;

// A part of the layout as first and last pixel (column or row), from the named edges, beside
// the same part as the design gives it.
struct PartCase {
    const char* part;
    int first, last;
    int designFirst, designLast;
};

const PartCase kParts[] = {
    {"arm strip", 0, lastBefore(core::kArmRight), 0, 89},
    {"body area", core::kArmRight, lastBefore(core::kSkinSize), 90, 255},
    {"back half", core::kArmRight, lastBefore(core::kBackRight), 90, 172},
    {"front half", core::kBackRight, lastBefore(core::kSkinSize), 173, 255},
    {"back, left leg", core::kArmRight, lastBefore(core::kBackLegSplit), 90, 133},
    {"back, right leg", core::kBackLegSplit, lastBefore(core::kBackRight), 134, 172},
    {"front, right leg", core::kBackRight, lastBefore(core::kFrontLegSplit), 173, 217},
    {"front, left leg", core::kFrontLegSplit, lastBefore(core::kSkinSize), 218, 255},
    {"torso rows", 0, lastBefore(core::kHipsTop), 0, 81},
    {"hips rows", core::kHipsTop, lastBefore(core::kLegsTop), 82, 125},
    {"legs rows", core::kLegsTop, lastBefore(core::kSkinSize), 126, 255},
    {"feet rows", core::kFeetTop, lastBefore(core::kSkinSize), 238, 255},
};

TEST(SkinLayout, EdgesBoundThePartsOfTheDesign) {
    for (const PartCase& c : kParts) {
        EXPECT_EQ(c.first, c.designFirst) << c.part;
        EXPECT_EQ(c.last, c.designLast) << c.part;
    }
}

TEST(SkinLayout, TheHalvesSideBySideFillTheBodyArea) {
    const int back = core::kBackRight - core::kArmRight, front = core::kSkinSize - core::kBackRight;
    EXPECT_EQ(back, 83);
    EXPECT_EQ(front, 83);
    EXPECT_EQ(back + front, core::kBodyWidth);
    EXPECT_EQ(core::kBodyWidth, 166); // the width of every strip painted over the body area
    EXPECT_EQ(core::kArmRight + core::kBodyWidth, core::kSkinSize);
}

TEST(SkinLayout, CentreLinesRunWhereEachHalfsLegsMeet) {
    constexpr int kKnees = 190;
    EXPECT_EQ(preview::regionName(lastBefore(core::kSpineColumn), kKnees), "back, left leg");
    EXPECT_EQ(preview::regionName(core::kSpineColumn, kKnees), "back, right leg");
    EXPECT_EQ(preview::regionName(lastBefore(core::kNavelColumn), kKnees), "front, right leg");
    EXPECT_EQ(preview::regionName(core::kNavelColumn, kKnees), "front, left leg");
    // The back faces straight behind on the spine's edge, the front straight ahead in the
    // middle of the navel's column.
    EXPECT_EQ(core::kBackMiddle, 134.0);
    EXPECT_EQ(core::kFrontMiddle, 218.5);
}

// Every line of the layout runs between two parts the zoom view names differently, all along
// its length, so the lines and the names agree on where each part ends.
TEST(LayoutLines, RunBetweenDifferentlyNamedParts) {
    for (const preview::LayoutLine& line : preview::layoutLines()) {
        SCOPED_TRACE((line.vertical ? "column edge " : "row edge ") + std::to_string(line.at));
        ASSERT_GT(line.at, 0);
        ASSERT_LT(line.at, core::kSkinSize);
        for (int along = line.from; along < line.to; ++along) {
            const auto name = [&](int at) {
                return line.vertical ? preview::regionName(at, along) : preview::regionName(along, at);
            };
            EXPECT_NE(name(lastBefore(line.at)), name(line.at)) << "at " << along;
        }
    }
}

struct RegionCase {
    int x, y;
    const char* region;
};

const RegionCase kRegions[] = {
    {0, 0, "arm strip"},
    {89, 255, "arm strip"},
    {90, 0, "back, torso"},
    {172, 81, "back, torso"},
    {173, 81, "front, torso"},
    {255, 82, "front, hips"},
    {133, 125, "back, hips"},
    {133, 126, "back, left leg"},
    {134, 126, "back, right leg"},
    {217, 200, "front, right leg"},
    {218, 200, "front, left leg"},
    {90, 237, "back, left leg"},
    {90, 238, "back, left foot"},
    {255, 255, "front, left foot"},
    {173, 250, "front, right foot"},
};

TEST(RegionName, NamesTheHalfAndThePartOfEveryPixel) {
    for (const RegionCase& c : kRegions)
        EXPECT_EQ(preview::regionName(c.x, c.y), c.region) << "at " << c.x << ", " << c.y;
}

} // namespace
