// The seam check: flat skins and the library's bare bodies score low everywhere; a skin stitched
// from two tones scores high exactly where the tones meet; worst rows and marks land where the
// skin breaks.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>

#include "core/library/image_library.h"
#include "preview/seams.h"
#include "preview_test_support.h"

namespace {

using core::ImageId;
using preview::SeamScore;

const core::Picture& body(ImageId id) {
    return core::ImageLibrary::shared().picture(id);
}

// The skin's pixel from `inside` where (x, y) lies in the rectangle, from `outside` elsewhere.
core::Picture stitched(const core::Picture& outside, const core::Picture& inside, int left, int top,
                       int right, int bottom) {
    return preview_test::skinOf([&](int x, int y) {
        const bool in = x >= left && x < right && y >= top && y < bottom;
        return (in ? inside : outside).pixel(x, y);
    });
}

TEST(SeamTable, NamesEverySeamOnceAtTheEdgesOfItsAreas) {
    std::set<std::string_view> keys;
    for (const preview::SeamSpec& seam : preview::allSeams()) {
        SCOPED_TRACE(std::string(seam.key));
        EXPECT_TRUE(keys.insert(seam.key).second);
        EXPECT_LT(seam.topRow, seam.bottomRow);
        const int row = seam.topRow;
        for (const preview::SeamSide& side : {seam.first, seam.second}) {
            ASSERT_GE(side.column, 0);
            ASSERT_LT(side.column, core::kSkinSize);
            ASSERT_TRUE(side.inward == 1 || side.inward == -1);
            // Each side's column is the last one of its area: one step towards the seam leaves
            // the skin or enters another area, one step away stays in it.
            const int beyond = side.column - side.inward;
            const std::string area = preview::regionName(side.column, row);
            if (beyond >= 0 && beyond < core::kSkinSize) {
                EXPECT_NE(preview::regionName(beyond, row), area);
            }
            EXPECT_EQ(preview::regionName(side.column + side.inward, row), area);
        }
    }
    EXPECT_EQ(keys.size(), preview::allSeams().size());
}

TEST(SeamCheck, ScoresZeroWithNoWorstRowsOnAFlatSkin) {
    const core::Picture flat = preview_test::skinOf([](int, int) { return core::Rgb{169, 112, 67}; });
    for (const SeamScore& score : preview::checkSeams(flat)) {
        SCOPED_TRACE(std::string(score.seam->key));
        EXPECT_EQ(score.meanDifference, 0.0);
        EXPECT_TRUE(score.worstRows.empty());
    }
}

TEST(SeamCheck, ScoresLowOnEveryBareBodyOfTheLibrary) {
    // Side by side, a difference below about 2.5 is barely visible.
    constexpr double kBarelyVisible = 2.5;
    for (ImageId id : {ImageId::imgLightBody, ImageId::imgMedBody, ImageId::imgDarkBody,
                       ImageId::imgMaleLight, ImageId::imgMaleMed, ImageId::imgMaleDark}) {
        for (const SeamScore& score : preview::checkSeams(body(id))) {
            SCOPED_TRACE(std::string(core::imageName(id)) + ", " + std::string(score.seam->key));
            EXPECT_LT(score.meanDifference, kBarelyVisible);
        }
    }
}

struct StitchCase {
    const char* name;
    int left, top, right, bottom;        // the rectangle taken from the dark body
    std::set<std::string_view> breaking; // the seams where light meets dark
};

// The medium body with one area copied from the dark body, as a band copy or a leg copy does.
const StitchCase kStitches[] = {
    {"the left leg's front", 218, 126, 256, 256, {"leftLegOuter", "leftLegInner"}},
    {"the whole front",
     173,
     0,
     256,
     256,
     {"torsoRight", "torsoLeft", "rightLegOuter", "rightLegInner", "leftLegOuter", "leftLegInner"}},
    {"the legs", 90, 126, 256, 256, {}},
    {"the arm strip's left half", 0, 0, 45, 256, {"arms"}},
    {"the torso's back", 90, 0, 173, 126, {"torsoRight", "torsoLeft"}},
    {"the right leg's back", 134, 126, 173, 256, {"rightLegOuter", "rightLegInner"}},
};

TEST(SeamCheck, ScoresHighExactlyWhereTwoTonesMeet) {
    constexpr double kBreak = 10; // the medium and the dark body differ by far more than this
    constexpr double kJoin = 2.5;
    for (const StitchCase& stitch : kStitches) {
        const core::Picture skin = stitched(body(ImageId::imgMedBody), body(ImageId::imgDarkBody),
                                            stitch.left, stitch.top, stitch.right, stitch.bottom);
        for (const SeamScore& score : preview::checkSeams(skin)) {
            SCOPED_TRACE(std::string(stitch.name) + ": " + std::string(score.seam->key));
            if (stitch.breaking.count(score.seam->key))
                EXPECT_GT(score.meanDifference, kBreak);
            else
                EXPECT_LT(score.meanDifference, kJoin);
        }
    }
}

const preview::SeamSpec& seamNamed(std::string_view key) {
    const auto seams = preview::allSeams();
    return *std::find_if(seams.begin(), seams.end(), [key](const auto& seam) { return seam.key == key; });
}

TEST(SeamCheck, NamesTheWorstRowsWorstFirst) {
    // Grey everywhere; on the torso's right side the front's first column turns a little warmer at
    // row 30, more at row 70 and most at row 100, and at row 10 as much as at row 100.
    const auto warmth = [](int y) { return y == 100 || y == 10 ? 60 : y == 70 ? 40 : y == 30 ? 20 : 0; };
    const core::Picture skin = preview_test::skinOf([&](int x, int y) {
        const int w = x == core::kBackRight ? warmth(y) : 0;
        return core::Rgb{std::uint8_t(120 + w), 120, 120};
    });
    const SeamScore score = preview::checkSeam(skin, seamNamed("torsoRight"));
    EXPECT_EQ(score.worstRows, (std::vector<int>{10, 100, 70}));
    EXPECT_GT(score.meanDifference, 0);
    EXPECT_TRUE(preview::checkSeam(skin, seamNamed("torsoLeft")).worstRows.empty());
}

TEST(SeamMarks, PaintAFewPixelsEachSideOfTheSeamOnTheNamedRows) {
    const core::Picture skin = preview_test::skinOf([](int, int) { return core::Rgb{1, 2, 3}; });
    const core::Picture marked = preview::markRows(skin, seamNamed("leftLegInner"), std::vector<int>{200});
    // The left leg's inside: front column 218 onwards to the right, back column 133 to the left.
    for (int y = 199; y <= 201; ++y)
        for (int x : {218, 219, 220, 133, 132, 131}) {
            SCOPED_TRACE(std::to_string(x) + ", " + std::to_string(y));
            EXPECT_EQ(marked.pixel(x, y), preview::kMarkColour);
        }
    EXPECT_EQ(marked.pixel(221, 200), (core::Rgb{1, 2, 3}));
    EXPECT_EQ(marked.pixel(134, 200), (core::Rgb{1, 2, 3}));
    EXPECT_EQ(marked.pixel(218, 198), (core::Rgb{1, 2, 3}));
    EXPECT_EQ(marked.pixel(218, 202), (core::Rgb{1, 2, 3}));
    EXPECT_EQ(skin.pixel(218, 200), (core::Rgb{1, 2, 3})); // the skin itself is left as it was
}

} // namespace

namespace {

TEST(SeamView, FacesTheSeamAndTiltsTowardsTheFirstRow) {
    const preview::SeamSpec& side = seamNamed("torsoRight");
    // The top rows lie on the shoulder, which faces up: the eye rises to see them.
    const preview::View shoulder = preview::viewOfSeam(side, std::vector<int>{1}, 2);
    EXPECT_FLOAT_EQ(shoulder.yaw, side.yaw);
    EXPECT_FLOAT_EQ(shoulder.zoom, 2);
    EXPECT_GT(shoulder.pitch, 10);
    // The waist faces straight out.
    EXPECT_LT(std::abs(preview::viewOfSeam(side, std::vector<int>{70}, 1).pitch), 5);
    // No rows: the seam's middle row, row 63 of rows 0-125.
    EXPECT_FLOAT_EQ(preview::viewOfSeam(side, {}, 1).pitch,
                    preview::viewOfSeam(side, std::vector<int>{63}, 1).pitch);
}

} // namespace
