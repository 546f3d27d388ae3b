// Seam blending: one row worked out by hand, every seam's figure below 1 afterwards on a skin
// whose every seam breaks, and no pixel touched farther from a seam than the width.

#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "core/library/image_library.h"
#include "core/retouch/raster.h"
#include "preview/seam_blend.h"
#include "preview/seams.h"
#include "preview_test_support.h"

namespace {

using core::Rgb;
using core::retouch::Raster;

const preview::SeamSpec& seamOf(std::string_view key) {
    for (const preview::SeamSpec& seam : preview::allSeams())
        if (seam.key == key) return seam;
    throw std::logic_error("no seam " + std::string(key));
}

// The torso's right side: the back's last column 172 meets the front's first, 173. Grey 100 on
// the back and 200 on the front meet at 150; over two pixels each side the change falls off by
// halves; the third pixel stays.
TEST(SeamBlend, MeetsHalfwayAtTheSeamAndFallsOffOverTheWidth) {
    Raster skin(preview_test::skinOf([](int x, int) {
        return x < core::kBackRight ? Rgb{100, 100, 100} : Rgb{200, 200, 200};
    }));
    preview::blendSeam(skin, seamOf("torsoRight"), 2);
    const int expected[] = {100, 125, 150, 150, 175, 200}; // columns 170 to 175
    for (const int row : {0, 60, core::kLegsTop - 1})
        for (int i = 0; i < 6; ++i) {
            const auto v = std::uint8_t(expected[i]);
            EXPECT_EQ(skin.pixel(170 + i, row), (Rgb{v, v, v})) << "column " << 170 + i << ", row " << row;
        }
    // The leg's outer seam, the same columns below the hips, is another seam.
    EXPECT_EQ(skin.pixel(172, core::kLegsTop), (Rgb{100, 100, 100}));
}

// Each case: a skin whose seams break, and the widths to blend it at.
TEST(SeamBlend, BringsEverySeamBelowOneAndTouchesNothingFartherThanTheWidth) {
    const core::Picture stripes = preview_test::skinOf([](int x, int y) {
        return Rgb{std::uint8_t(x * 7 + y), std::uint8_t(255 - x), std::uint8_t(y * 3 + x * 11)};
    });
    const std::pair<const char*, core::Picture> skins[] = {
        {"three areas", preview_test::threeAreaSkin()},
        {"stripes", stripes},
        {"bare body", core::ImageLibrary::shared().picture(core::ImageId::imgMedBody)},
    };
    for (const auto& [name, picture] : skins)
        for (const int width :
             {preview::kMinBlendWidth, preview::kDefaultBlendWidth, preview::kMaxBlendWidth}) {
            SCOPED_TRACE(std::string(name) + ", width " + std::to_string(width));
            Raster skin(picture);
            preview::blendSeams(skin, width);
            for (const preview::SeamScore& score : preview::checkSeams(skin.picture()))
                EXPECT_LT(score.meanDifference, 1.0) << score.seam->name;
            // The pixels within the width of a seam, on its rows.
            std::set<std::pair<int, int>> near;
            for (const preview::SeamSpec& seam : preview::allSeams())
                for (const preview::SeamSide& side : {seam.first, seam.second})
                    for (int i = 0; i < width; ++i)
                        for (int row = seam.topRow; row < seam.bottomRow; ++row)
                            near.insert({side.column + side.inward * i, row});
            int untouchedNear = 0;
            for (int y = 0; y < core::kSkinSize; ++y)
                for (int x = 0; x < core::kSkinSize; ++x) {
                    if (near.count({x, y})) {
                        untouchedNear += skin.pixel(x, y) == picture.pixel(x, y);
                        continue;
                    }
                    ASSERT_EQ(skin.pixel(x, y), picture.pixel(x, y)) << x << ", " << y;
                }
            EXPECT_LT(untouchedNear, int(near.size()));
        }
}

} // namespace
