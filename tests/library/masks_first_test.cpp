// The outfit masks of frmPics (the bodysuit), frmMasks and frmMasks2 as drawn: black share,
// black area, and the shapes that make each one fit its garment on the skin layout.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "tests/library/mask_test_support.h"
#include "tools/draw_library/mask_shapes.h"
#include "tools/draw_library/masks.h"

namespace {

using draw::MaskGrid;
using mask_test::blackRuns;
using mask_test::drawn;

struct ExpectedMask {
    std::string name;
    double share; // percent of the 65,536 pixels
    draw::MaskBox box;
};

// In holder order: imgBodySuit (frmPics), frmMasks, then frmMasks2.
const ExpectedMask kMasks[] = {
    {"imgBodySuit", 53.4, {0, 5, 255, 250}},    {"imgPJs4", 28.5, {0, 12, 255, 170}},
    {"imgBlouseLong", 67.3, {0, 12, 255, 236}}, {"imgRobeBoxer", 64.2, {0, 0, 255, 255}},
    {"imgSpeedo", 4.5, {92, 96, 255, 121}},     {"imgPJs2", 11.6, {89, 14, 255, 118}},
    {"imgTankTop", 25.9, {89, 11, 255, 125}},   {"imgCorset", 13.7, {89, 45, 255, 119}},
    {"imgThong", 3.4, {86, 14, 255, 119}},      {"imgPJs1", 14.7, {89, 11, 255, 117}},
    {"imgMiniDress", 52.1, {0, 14, 255, 216}},  {"imgMinicorset", 8.0, {86, 38, 255, 117}},
    {"imgBimbo", 60.9, {0, 11, 255, 255}},      {"imgTamsine", 31.7, {0, 12, 255, 153}},
    {"imgLurette", 28.5, {91, 36, 255, 164}},   {"imgFlirt", 40.8, {0, 9, 255, 153}},
    {"imgBikini", 4.8, {88, 16, 255, 118}},     {"imgSurfer", 20.1, {90, 92, 255, 171}},
    {"imgVirelle", 58.8, {0, 0, 255, 255}},
};

TEST(FirstMasks, AreListedInHolderOrder) {
    const std::vector<draw::MaskEntry> entries = draw::firstMasks();
    ASSERT_EQ(entries.size(), std::size(kMasks));
    for (std::size_t i = 0; i < entries.size(); ++i)
        EXPECT_EQ(entries[i].name, kMasks[i].name);
}

TEST(FirstMasks, BlackShareWithinHalfAPointAndBlackAreaExact) {
    for (const ExpectedMask& expected : kMasks) {
        SCOPED_TRACE(expected.name);
        const MaskGrid grid = drawn(expected.name);
        EXPECT_NEAR(100 * draw::blackShare(grid), expected.share, 0.5);
        const draw::MaskBox box = draw::blackBox(grid);
        EXPECT_EQ(box.left, expected.box.left);
        EXPECT_EQ(box.top, expected.box.top);
        EXPECT_EQ(box.right, expected.box.right);
        EXPECT_EQ(box.bottom, expected.box.bottom);
    }
}

TEST(FirstMasks, DrawTheSamePixelsEveryTime) {
    for (const ExpectedMask& expected : kMasks) {
        const MaskGrid first = drawn(expected.name), second = drawn(expected.name);
        for (int y = 0; y < core::kSkinSize; ++y)
            for (int x = 0; x < core::kSkinSize; ++x)
                ASSERT_EQ(first.isBlack(x, y), second.isBlack(x, y))
                    << expected.name << " at " << x << ", " << y;
    }
}

// Rectangles that are wholly black or wholly white: bands, blocks, arm strips and the gaps
// between them.
struct Solid {
    std::string name;
    int left, top, right, bottom;
    bool black;
};

const Solid kSolids[] = {
    {"imgBodySuit", 0, 5, 89, 250, true},      {"imgBodySuit", 0, 0, 255, 4, false},
    {"imgBodySuit", 90, 0, 255, 13, false},    {"imgBodySuit", 90, 29, 255, 94, true},
    {"imgBodySuit", 0, 251, 255, 255, false},  {"imgPJs4", 90, 36, 255, 74, true},
    {"imgPJs4", 90, 75, 255, 87, false},       {"imgPJs4", 0, 88, 255, 91, true},
    {"imgPJs4", 0, 84, 89, 170, true},         {"imgPJs4", 0, 0, 89, 83, false},
    {"imgBlouseLong", 90, 36, 255, 230, true}, {"imgBlouseLong", 0, 84, 89, 170, true},
    {"imgBlouseLong", 0, 0, 89, 83, false},    {"imgBlouseLong", 0, 171, 89, 255, false},
    {"imgRobeBoxer", 0, 0, 89, 255, true},     {"imgRobeBoxer", 90, 0, 255, 7, false},
    {"imgRobeBoxer", 202, 8, 234, 11, false},  {"imgRobeBoxer", 205, 12, 230, 91, false},
    {"imgRobeBoxer", 90, 18, 204, 91, true},   {"imgRobeBoxer", 231, 12, 255, 91, true},
    {"imgRobeBoxer", 90, 92, 255, 119, true},  {"imgRobeBoxer", 90, 141, 255, 255, false},
    {"imgSpeedo", 92, 96, 255, 106, true},     {"imgSpeedo", 120, 121, 147, 121, true},
    {"imgSpeedo", 90, 121, 119, 121, false},   {"imgSpeedo", 148, 121, 255, 121, false},
    {"imgSpeedo", 215, 120, 221, 120, true},   {"imgSpeedo", 173, 120, 214, 120, false},
    {"imgSpeedo", 222, 120, 255, 120, false},  {"imgPJs2", 89, 47, 255, 77, true},
    {"imgPJs2", 114, 29, 153, 46, true},       {"imgPJs2", 89, 29, 113, 46, false},
    {"imgPJs2", 154, 29, 188, 46, false},      {"imgPJs2", 247, 29, 255, 46, false},
    {"imgPJs2", 89, 78, 255, 84, false},       {"imgTankTop", 89, 43, 255, 125, true},
    {"imgTankTop", 110, 11, 156, 24, true},    {"imgTankTop", 197, 11, 239, 24, true},
    {"imgTankTop", 89, 11, 109, 24, false},    {"imgTankTop", 157, 11, 196, 24, false},
    {"imgTankTop", 240, 11, 255, 24, false},   {"imgCorset", 89, 45, 216, 93, true},
    {"imgCorset", 219, 45, 255, 93, true},     {"imgThong", 86, 46, 255, 48, true},
    {"imgThong", 86, 90, 255, 93, true},       {"imgThong", 86, 55, 255, 89, false},
    {"imgThong", 188, 54, 209, 54, true},      {"imgThong", 226, 54, 251, 54, true},
    {"imgThong", 86, 54, 187, 54, false},      {"imgThong", 210, 54, 225, 54, false},
    {"imgThong", 252, 54, 255, 54, false},     {"imgThong", 86, 14, 187, 45, false},
    {"imgPJs1", 89, 37, 255, 79, true},        {"imgPJs1", 89, 80, 255, 87, false},
    {"imgPJs1", 89, 88, 255, 91, true},        {"imgMiniDress", 90, 41, 255, 125, true},
    {"imgMiniDress", 0, 31, 89, 216, true},    {"imgMiniDress", 0, 0, 89, 30, false},
    {"imgMiniDress", 0, 217, 255, 255, false}, {"imgMiniDress", 90, 126, 255, 255, false},
    {"imgMinicorset", 86, 48, 126, 67, true},  {"imgMinicorset", 142, 48, 255, 67, true},
    {"imgMinicorset", 127, 48, 141, 48, true}, {"imgMinicorset", 127, 67, 141, 67, true},
    {"imgMinicorset", 86, 68, 255, 87, false}, {"imgMinicorset", 86, 88, 255, 91, true},
    {"imgMinicorset", 86, 38, 185, 47, false}, {"imgMinicorset", 249, 38, 255, 47, false},
    {"imgBimbo", 0, 0, 89, 89, false},         {"imgBimbo", 90, 46, 255, 58, true},
    {"imgBimbo", 90, 59, 255, 89, false},      {"imgBimbo", 0, 90, 255, 156, true},
    {"imgBimbo", 92, 157, 255, 255, true},     {"imgBimbo", 0, 157, 91, 255, false},
    {"imgBimbo", 214, 45, 219, 45, false},     {"imgBimbo", 213, 45, 213, 45, true},
    {"imgBimbo", 220, 45, 220, 45, true},      {"imgTamsine", 100, 39, 255, 66, true},
    {"imgTamsine", 90, 12, 99, 66, false},     {"imgTamsine", 90, 12, 172, 14, false},
    {"imgTamsine", 90, 67, 255, 78, false},    {"imgTamsine", 92, 84, 255, 118, true},
    {"imgTamsine", 0, 94, 89, 153, true},      {"imgTamsine", 0, 0, 89, 93, false},
    {"imgTamsine", 0, 154, 89, 255, false},    {"imgTamsine", 90, 132, 255, 255, false},
    {"imgLurette", 91, 65, 255, 161, true},    {"imgLurette", 0, 0, 90, 255, false},
    {"imgLurette", 91, 0, 172, 46, false},     {"imgLurette", 173, 0, 255, 35, false},
    {"imgLurette", 180, 42, 249, 42, true},    {"imgLurette", 173, 162, 255, 255, false},
    {"imgFlirt", 90, 48, 255, 150, true},      {"imgFlirt", 0, 97, 89, 150, true},
    {"imgFlirt", 0, 0, 89, 96, false},         {"imgFlirt", 0, 151, 89, 255, false},
    {"imgFlirt", 173, 151, 255, 255, false},   {"imgBikini", 88, 49, 255, 51, true},
    {"imgBikini", 88, 91, 255, 93, true},      {"imgBikini", 125, 16, 141, 16, true},
    {"imgBikini", 88, 16, 124, 16, false},     {"imgBikini", 142, 16, 255, 16, false},
    {"imgBikini", 88, 17, 190, 31, false},     {"imgBikini", 191, 55, 191, 55, true},
    {"imgBikini", 245, 55, 245, 55, true},     {"imgBikini", 173, 55, 190, 55, false},
    {"imgBikini", 246, 32, 255, 48, false},    {"imgBikini", 88, 64, 255, 90, false},
    {"imgSurfer", 90, 92, 255, 170, true},     {"imgSurfer", 97, 171, 171, 171, true},
    {"imgSurfer", 90, 171, 96, 171, false},    {"imgSurfer", 172, 171, 255, 171, false},
    {"imgVirelle", 0, 0, 89, 255, true},       {"imgVirelle", 90, 0, 255, 12, false},
    {"imgVirelle", 90, 39, 255, 82, true},     {"imgVirelle", 90, 83, 255, 90, false},
    {"imgVirelle", 90, 91, 255, 106, true},    {"imgVirelle", 90, 126, 255, 255, false},
};

TEST(FirstMasks, BandsBlocksAndGapsAreSolid) {
    for (const Solid& solid : kSolids) {
        SCOPED_TRACE(solid.name);
        const MaskGrid grid = drawn(solid.name);
        int wrong = 0, firstX = -1, firstY = -1;
        for (int y = solid.top; y <= solid.bottom; ++y)
            for (int x = solid.left; x <= solid.right; ++x)
                if (grid.isBlack(x, y) != solid.black && wrong++ == 0) firstX = x, firstY = y;
        EXPECT_EQ(wrong, 0) << "columns " << solid.left << "-" << solid.right << ", rows " << solid.top << "-"
                            << solid.bottom << " should be " << (solid.black ? "black" : "white")
                            << "; first stray pixel at " << firstX << ", " << firstY;
    }
}

// A white notch in the upper edge of a black block: white exactly over left..right in the
// block's top row, narrowing downwards, and row closedBy the first row black all across it.
struct Notch {
    std::string name;
    int top, left, right, closedBy;
};

const Notch kNotches[] = {
    {"imgBodySuit", 14, 110, 158, 29},   {"imgBodySuit", 14, 192, 243, 26},
    {"imgPJs4", 12, 119, 149, 19},       {"imgPJs4", 12, 192, 242, 36},
    {"imgBlouseLong", 12, 119, 149, 19}, {"imgBlouseLong", 12, 192, 242, 36},
    {"imgRobeBoxer", 8, 117, 151, 18},   {"imgMiniDress", 14, 115, 150, 24},
    {"imgMiniDress", 14, 196, 239, 41},  {"imgBimbo", 11, 119, 149, 24},
    {"imgBimbo", 11, 195, 238, 46},      {"imgTamsine", 15, 121, 147, 27},
    {"imgTamsine", 15, 198, 238, 39},    {"imgFlirt", 9, 116, 151, 22},
    {"imgFlirt", 9, 193, 242, 48},       {"imgVirelle", 13, 119, 149, 27},
    {"imgVirelle", 13, 197, 242, 39},
};

TEST(FirstMasks, TopNotchesNarrowDownwardsAndCloseOnTheirRow) {
    for (const Notch& notch : kNotches) {
        SCOPED_TRACE(notch.name + " notch at column " + std::to_string(notch.left));
        const MaskGrid grid = drawn(notch.name);
        EXPECT_TRUE(grid.isBlack(notch.left - 1, notch.top));
        EXPECT_TRUE(grid.isBlack(notch.right + 1, notch.top));
        int previousLeft = notch.left, previousRight = notch.right;
        for (int y = notch.top; y < notch.closedBy; ++y) {
            // The white of each row is one run inside the white of the row above it.
            std::vector<int> white;
            for (int x = notch.left; x <= notch.right; ++x)
                if (!grid.isBlack(x, y)) white.push_back(x);
            ASSERT_FALSE(white.empty()) << "closed early, in row " << y;
            EXPECT_EQ(white.back() - white.front() + 1, int(white.size())) << "row " << y;
            EXPECT_GE(white.front(), previousLeft) << "row " << y;
            EXPECT_LE(white.back(), previousRight) << "row " << y;
            previousLeft = white.front();
            previousRight = white.back();
        }
        EXPECT_LT(previousRight - previousLeft, notch.right - notch.left) << "does not narrow";
        for (int x = notch.left; x <= notch.right; ++x)
            EXPECT_TRUE(grid.isBlack(x, notch.closedBy))
                << "column " << x << " open in row " << notch.closedBy;
    }
}

// A black point hanging below a band, whose lowest pixel is its one-pixel tip.
struct Tip {
    std::string name;
    int x, y;
    int pointTop; // first row of the point under its band
};

const Tip kTips[] = {
    {"imgBodySuit", 134, 116, 95},   {"imgBodySuit", 218, 114, 95},   {"imgPJs4", 134, 117, 92},
    {"imgPJs4", 218, 116, 92},       {"imgPJs2", 134, 118, 104},      {"imgPJs2", 218, 117, 103},
    {"imgCorset", 134, 119, 94},     {"imgCorset", 218, 117, 94},     {"imgThong", 135, 119, 94},
    {"imgThong", 218, 117, 94},      {"imgPJs1", 134, 117, 92},       {"imgPJs1", 218, 116, 92},
    {"imgMinicorset", 134, 117, 92}, {"imgMinicorset", 218, 116, 92}, {"imgBikini", 134, 118, 94},
    {"imgBikini", 218, 117, 94},
};

TEST(FirstMasks, LowerPointsNarrowSmoothlyToTheirTipPixel) {
    for (const Tip& tip : kTips) {
        SCOPED_TRACE(tip.name + " tip at column " + std::to_string(tip.x));
        const MaskGrid grid = drawn(tip.name);
        // The half of the body area that the point hangs under.
        const int from = tip.x < 173 ? 90 : 173, to = tip.x < 173 ? 172 : 255;
        using Runs = std::vector<std::pair<int, int>>;
        EXPECT_EQ(blackRuns(grid, tip.y, from, to), (Runs{{tip.x, tip.x}}));
        for (int y = tip.y + 1; y < core::kSkinSize; ++y)
            EXPECT_TRUE(blackRuns(grid, y, from, to).empty()) << y;
        // Going up from the tip, the run holding the tip's column never narrows.
        int width = 1;
        for (int y = tip.y - 1; y >= tip.pointTop; --y) {
            const Runs runs = blackRuns(grid, y, from, to);
            const auto holding = std::find_if(runs.begin(), runs.end(), [&](const std::pair<int, int>& run) {
                return run.first <= tip.x && tip.x <= run.second;
            });
            ASSERT_NE(holding, runs.end()) << "broken in row " << y;
            const int runWidth = holding->second - holding->first + 1;
            EXPECT_GE(runWidth, width) << "row " << y;
            EXPECT_LE(runWidth - width, 6) << "steps out abruptly in row " << y;
            width = runWidth;
        }
        EXPECT_GE(width, 12) << "the point is too slight to read as one";
    }
}

TEST(FirstMasks, CorsetLacingIsBrokenByTwoPixelDotsEveryFiveRows) {
    const MaskGrid grid = drawn("imgCorset");
    std::vector<int> dotRows;
    for (int y = 46; y <= 91; ++y) {
        EXPECT_EQ(grid.isBlack(217, y), grid.isBlack(218, y)) << "half a dot in row " << y;
        if (grid.isBlack(217, y)) dotRows.push_back(y);
    }
    EXPECT_EQ(dotRows, (std::vector<int>{50, 55, 60, 65, 70, 75, 80, 85, 90}));
    for (int y : {45, 92, 93})
        EXPECT_TRUE(grid.isBlack(217, y) && grid.isBlack(218, y)) << y;
}

// Thin straps above a top: in each listed row, one run per strap, each as wide as given, and
// over all those rows each strap covers exactly its columns.
struct Straps {
    std::string name;
    int top, bottom;
    int width;
    std::vector<std::pair<int, int>> columns;
};

TEST(FirstMasks, StrapsAreThinAndWhereTheyBelong) {
    const Straps cases[] = {
        {"imgPJs1", 11, 29, 2, {{115, 117}, {151, 153}, {196, 200}, {238, 241}}},
        {"imgPJs2", 14, 28, 2, {{116, 117}, {150, 151}, {196, 197}, {238, 239}}},
        {"imgTamsine", 12, 14, 7, {{191, 197}, {239, 245}}},
    };
    for (const Straps& straps : cases) {
        SCOPED_TRACE(straps.name);
        const MaskGrid grid = drawn(straps.name);
        std::vector<std::pair<int, int>> covered(straps.columns.size(), {core::kSkinSize, -1});
        for (int y = straps.top; y <= straps.bottom; ++y) {
            const auto runs = blackRuns(grid, y, 0, core::lastBefore(core::kSkinSize));
            ASSERT_EQ(runs.size(), straps.columns.size()) << "row " << y;
            for (std::size_t i = 0; i < runs.size(); ++i) {
                EXPECT_EQ(runs[i].second - runs[i].first + 1, straps.width) << "row " << y;
                covered[i].first = std::min(covered[i].first, runs[i].first);
                covered[i].second = std::max(covered[i].second, runs[i].second);
            }
        }
        EXPECT_EQ(covered, straps.columns);
    }
}

TEST(FirstMasks, MinicorsetLaceCrossesItsWholeBox) {
    const MaskGrid grid = drawn("imgMinicorset");
    // The box's outside is solid black (see the solids); inside it, thin white laces reach
    // from the first row to the last and leave most of the box black.
    int white = 0;
    for (int y = 49; y <= 66; ++y) {
        int count = 0;
        for (int x = 127; x <= 141; ++x)
            count += !grid.isBlack(x, y);
        if (y == 49 || y == 66) {
            EXPECT_GT(count, 0) << "lace missing in row " << y;
        }
        white += count;
    }
    EXPECT_GT(white, 30);
    EXPECT_LT(white, 15 * 18 / 2);
}

TEST(FirstMasks, LuretteStartsLowerAtTheBackWithTwoTabs) {
    const MaskGrid grid = drawn("imgLurette");
    EXPECT_EQ(blackRuns(grid, 47, 91, 172).size(), 2u);
    EXPECT_FALSE(blackRuns(grid, 36, 173, 255).empty());
    // The rounded lower edge reaches row 164 under the back only.
    EXPECT_FALSE(blackRuns(grid, 164, 91, 172).empty());
    EXPECT_TRUE(blackRuns(grid, 162, 173, 255).empty());
}

TEST(FirstMasks, RoundedHemsReachTheirRowUnderTheBackOnly) {
    const MaskGrid flirt = drawn("imgFlirt");
    EXPECT_FALSE(blackRuns(flirt, 153, 90, 172).empty());
    EXPECT_TRUE(blackRuns(flirt, 151, 173, 255).empty());
}

} // namespace
