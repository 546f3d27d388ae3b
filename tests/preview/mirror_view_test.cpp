// The mirror seen on the mannequin: a skin striped on the body's left side and plain on its
// right is, once mirrored, the same seen from the front and from the back as its own reflection
// (the picture flipped left to right), up to a pixel at the stripes' edges; before the mirror it
// is not.

#include <gtest/gtest.h>

#include "core/retouch/mirror.h"
#include "preview/render.h"
#include "preview_test_support.h"

namespace {

using core::retouch::Raster;
using preview_test::Area;

constexpr int kSize = 512;

// Stripes eight columns wide in the back's and the front's colours on the body's left side
// (torso and left leg), the right side and the arm strip in the arms' colour.
core::Picture stripedLeftSide() {
    return preview_test::skinOf([](int x, int y) {
        const bool left =
            y < core::kLegsTop
                ? (x >= core::kArmRight && x < core::kSpineColumn) || x > core::kNavelColumn
                : (x >= core::kArmRight && x < core::kBackLegSplit) || x >= core::kFrontLegSplit;
        if (!left) return preview_test::kArmColour;
        return (x / 8) % 2 ? preview_test::kBackColour : preview_test::kFrontColour;
    });
}

Area areaAt(const std::vector<std::uint8_t>& rgb, int x, int y) {
    return preview_test::areaOf(&rgb[(std::size_t(y) * kSize + std::size_t(x)) * 3]);
}

// The share of the body's pixels in a view whose area matches none of the three pixels round
// its reflection.
double asymmetry(const core::Picture& skin, float yaw) {
    const std::vector<std::uint8_t> rgb =
        core::rgbBytes(preview::renderSkin(skin, {yaw, 0, 1}, kSize, kSize));
    int body = 0, unmatched = 0;
    for (int y = 0; y < kSize; ++y)
        for (int x = 1; x + 1 < kSize; ++x) {
            const Area area = areaAt(rgb, x, y);
            if (area == Area::Background) continue;
            ++body;
            const int mirrored = kSize - 1 - x;
            bool matched = false;
            for (int dx = -1; dx <= 1; ++dx)
                matched |= areaAt(rgb, mirrored + dx, y) == area;
            unmatched += !matched;
        }
    return double(unmatched) / body;
}

TEST(MirrorView, MakesTheFrontAndTheBackSymmetric) {
    const core::Picture striped = stripedLeftSide();
    Raster mirrored(striped);
    core::retouch::mirror(mirrored, core::retouch::Side::Left);
    for (const float yaw : {0.0f, 180.0f}) {
        SCOPED_TRACE("yaw " + std::to_string(yaw));
        EXPECT_LT(asymmetry(mirrored.picture(), yaw), 0.01);
        EXPECT_GT(asymmetry(striped, yaw), 0.05);
    }
}

} // namespace
