// The mirror on a skin whose every pixel tells where it came from (red its column, green its
// row): which column each pixel of the other side is copied from, at the places that can be
// worked out by hand (the seams, the centre lines, a pixel between them), and what it leaves
// alone.

#include <gtest/gtest.h>

#include "core/retouch/mirror.h"
#include "core/skin_layout.h"

namespace {

using core::retouch::Raster;
using core::retouch::Side;

constexpr std::uint8_t kTag = 7;

Raster coordinateSkin() {
    Raster skin(core::kSkinSize, core::kSkinSize, core::Rgb{});
    for (int y = 0; y < core::kSkinSize; ++y)
        for (int x = 0; x < core::kSkinSize; ++x)
            skin.setPixel(x, y, {std::uint8_t(x), std::uint8_t(y), kTag});
    return skin;
}

// Rows the cases are checked on: the torso's first and last, the hips, the legs' first, the feet.
constexpr int kTorsoRows[] = {0, 40, core::kLegsTop - 1};
constexpr int kLegRows[] = {core::kLegsTop, 200, core::kSkinSize - 1};

struct Case {
    const char* what;
    int target, source;
};

// The body's left side copied onto its right. On the torso, the body's sides meet at the seams
// (the back's column 90 with the front's 255 on the left, 172 with 173 on the right), so each
// seam's columns mirror the other seam's; the spine runs between 133 and 134, and the navel's
// column 218 is its own mirror image, so its neighbours mirror each other. Column 100 faces 21.5
// degrees from the left side towards the spine; 21.5 degrees from the right side is column 163.
constexpr Case kTorsoLeftOntoRight[] = {
    {"back, right side seam", 172, 90}, {"front, right side seam", 173, 255}, {"spine", 134, 133},
    {"beside the navel", 217, 219},     {"back, between", 163, 100},
};
// The left leg copied onto the right: the outer seams mirror each other as on the torso, the
// back's inner columns too, and at the front the right leg's inner column 217 meets the left
// leg's 218 (the navel's column belongs to the left leg).
constexpr Case kLegsLeftOntoRight[] = {
    {"outer seam, back", 172, 90},
    {"outer seam, front", 173, 255},
    {"inner, back", 134, 133},
    {"inner, front", 217, 218},
};
// The body's right side onto its left.
constexpr Case kTorsoRightOntoLeft[] = {
    {"back, left side seam", 90, 172}, {"front, left side seam", 255, 173}, {"spine", 133, 134},
    {"beside the navel", 219, 217},    {"back, between", 100, 163},
};

void expectCopied(const Raster& skin, std::span<const Case> cases, std::span<const int> rows) {
    for (const Case& c : cases)
        for (const int row : rows)
            EXPECT_EQ(skin.pixel(c.target, row), (core::Rgb{std::uint8_t(c.source), std::uint8_t(row), kTag}))
                << c.what << ": column " << c.target << ", row " << row;
}

TEST(Mirror, CopiesEachPixelFromItsMirrorImageRoundTheBody) {
    Raster left = coordinateSkin();
    core::retouch::mirror(left, Side::Left);
    expectCopied(left, kTorsoLeftOntoRight, kTorsoRows);
    expectCopied(left, kLegsLeftOntoRight, kLegRows);

    Raster right = coordinateSkin();
    core::retouch::mirror(right, Side::Right);
    expectCopied(right, kTorsoRightOntoLeft, kTorsoRows);
}

// Every pixel keeps its row; the copied side, the navel's column on the torso and the arm strip
// keep their colour; the other side takes only columns of the copied side; and mirroring again
// changes nothing.
TEST(Mirror, LeavesTheCopiedSideTheCentreAndTheArmStripAsTheyAre) {
    const Raster before = coordinateSkin();
    Raster skin = before;
    core::retouch::mirror(skin, Side::Left);
    // The body's left side: on the torso the back left of the spine and the front right of the
    // navel; below, the left leg (the back's columns 90-133, the front's 218-255).
    const auto isLeft = [](int x, int y) {
        if (y < core::kLegsTop)
            return (x >= core::kArmRight && x < core::kSpineColumn) || x > core::kNavelColumn;
        return (x >= core::kArmRight && x < core::kBackLegSplit) || x >= core::kFrontLegSplit;
    };
    int changed = 0;
    for (int y = 0; y < core::kSkinSize; ++y)
        for (int x = 0; x < core::kSkinSize; ++x) {
            const core::Rgb p = skin.pixel(x, y);
            ASSERT_EQ(p.g, y) << x << ", " << y;
            const bool keeps =
                x < core::kArmRight || isLeft(x, y) || (y < core::kLegsTop && x == core::kNavelColumn);
            if (keeps) {
                ASSERT_EQ(p, before.pixel(x, y)) << x << ", " << y;
            } else {
                ASSERT_TRUE(isLeft(p.r, y)) << x << ", " << y << " from column " << int(p.r);
                changed += p != before.pixel(x, y);
            }
        }
    EXPECT_GT(changed, 0);
    Raster again = skin;
    core::retouch::mirror(again, Side::Left);
    EXPECT_EQ(again, skin);
}

} // namespace
