// The skin on the mannequin: each half of the body area where it belongs, the body upright and
// whole in the picture from every side, and the same pixels every time.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "preview/camera.h"
#include "preview/render.h"
#include "preview_test_support.h"

namespace {

using preview::View;
using preview_test::Area;

constexpr int kSize = 512;

// How many pixels show each area, and its first and last row (-1 where it does not show).
class Census {
  public:
    explicit Census(const core::Picture& frame) {
        const std::vector<std::uint8_t> rgb = core::rgbBytes(frame);
        for (int y = 0; y < frame.height(); ++y)
            for (int x = 0; x < frame.width(); ++x) {
                const auto area =
                    std::size_t(preview_test::areaOf(&rgb[(std::size_t(y) * frame.width() + x) * 3]));
                if (m_count[area]++ == 0) m_top[area] = y;
                m_bottom[area] = y;
            }
    }
    int count(Area area) const { return m_count[std::size_t(area)]; }
    int topRow(Area area) const { return m_top[std::size_t(area)]; }
    int bottomRow(Area area) const { return m_bottom[std::size_t(area)]; }

  private:
    static constexpr std::size_t kAreas = std::size_t(Area::Other) + 1;
    std::array<int, kAreas> m_count{};
    std::array<int, kAreas> m_top = filled(-1), m_bottom = filled(-1);
    static std::array<int, kAreas> filled(int value) {
        std::array<int, kAreas> values;
        values.fill(value);
        return values;
    }
};

struct SideCase {
    const char* name;
    float yaw;
    bool backShows, frontShows;
};

// From the front only the front half shows on the torso and legs, from behind only the back
// half; from either side both, split at the side seam.
const SideCase kSides[] = {
    {"front", 0, false, true},
    {"back", 180, true, false},
    {"left side", 90, true, true},
    {"right side", 270, true, true},
};

TEST(RenderSkin, ShowsEachHalfOfTheBodyAreaOnItsSide) {
    const core::Picture skin = preview_test::threeAreaSkin();
    for (const SideCase& side : kSides) {
        SCOPED_TRACE(side.name);
        const Census census(preview::renderSkin(skin, View{side.yaw, 0, 1}, kSize, kSize));
        // A visible half covers a good part of the picture; a hidden one not a single pixel.
        constexpr int kVisible = 5000;
        if (side.backShows)
            EXPECT_GT(census.count(Area::Back), kVisible);
        else
            EXPECT_EQ(census.count(Area::Back), 0);
        if (side.frontShows)
            EXPECT_GT(census.count(Area::Front), kVisible);
        else
            EXPECT_EQ(census.count(Area::Front), 0);
        EXPECT_GT(census.count(Area::Arm), 1000);
    }
}

TEST(RenderSkin, StandsUprightWithTheFeetAtTheBottom) {
    const core::Picture skin = preview_test::threeAreaSkin();
    for (const SideCase& side : kSides) {
        SCOPED_TRACE(side.name);
        const Census census(preview::renderSkin(skin, View{side.yaw, 0, 1}, kSize, kSize));
        const Area body = side.frontShows ? Area::Front : Area::Back;
        // The feet reach the picture's lower tenth, the torso its upper third; above the torso
        // only the plain head, which is none of the skin's colours.
        EXPECT_GT(census.bottomRow(body), kSize * 9 / 10);
        EXPECT_LT(census.topRow(body), kSize / 3);
        EXPECT_LT(census.topRow(Area::Other), census.topRow(body));
        EXPECT_LT(census.topRow(Area::Other), kSize / 10);
        // The arms hang between the shoulders and the thighs.
        EXPECT_GT(census.topRow(Area::Arm), census.topRow(body));
        EXPECT_LT(census.bottomRow(Area::Arm), census.bottomRow(body) - kSize / 5);
    }
}

TEST(RenderSkin, KeepsTheWholeBodyInsideThePictureFromEverySide) {
    const core::Picture skin = preview_test::threeAreaSkin();
    for (float pitch : {-preview::kMaxPitch, 0.0f, preview::kMaxPitch})
        for (float yaw = 0; yaw < 360; yaw += 30) {
            SCOPED_TRACE("yaw " + std::to_string(yaw) + ", pitch " + std::to_string(pitch));
            const core::Picture frame = preview::renderSkin(skin, View{yaw, pitch, 1}, 256, 256);
            bool borderClear = true;
            for (int i = 0; i < 256; ++i)
                for (const auto& [x, y] : {std::pair{i, 0}, {i, 255}, {0, i}, {255, i}})
                    borderClear = borderClear && frame.pixel(x, y) == preview::kBackground;
            EXPECT_TRUE(borderClear);
            // Turned about its own centre, the body always covers the middle of the picture.
            EXPECT_NE(frame.pixel(128, 128), preview::kBackground);
        }
}

TEST(RenderSkin, GivesTheSamePixelsForTheSameInputs) {
    const core::Picture skin = preview_test::skinOf([](int x, int y) {
        return core::Rgb{std::uint8_t(x), std::uint8_t(y), std::uint8_t(x ^ y)};
    });
    const View view{37, 12, 1.5f};
    const core::Picture first = preview::renderSkin(skin, view, kSize, kSize);
    EXPECT_EQ(first, preview::renderSkin(skin, view, kSize, kSize));
    EXPECT_NE(first, preview::renderSkin(skin, View{38, 12, 1.5f}, kSize, kSize));
}

TEST(RenderSkin, PaintsThePlainBackgroundAroundTheBody) {
    const core::Picture frame = preview::renderSkin(preview_test::threeAreaSkin(), View{}, 300, 200);
    ASSERT_EQ(frame.width(), 300);
    ASSERT_EQ(frame.height(), 200);
    EXPECT_EQ(frame.pixel(0, 0), (core::Rgb{128, 128, 128}));
    EXPECT_EQ(frame.pixel(299, 199), (core::Rgb{128, 128, 128}));
}

TEST(RenderSkin, ShowsEachSkinPixelAsASharpFacetWhenClose) {
    // A checkerboard of single pixels: seen close, nearest-neighbour sampling gives only its two
    // colours, lit, never a blend of both.
    const core::Picture skin = preview_test::skinOf(
        [](int x, int y) { return (x + y) % 2 ? preview_test::kFrontColour : preview_test::kBackColour; });
    const core::Picture frame = preview::renderSkin(skin, View{0, 0, preview::kMaxZoom}, kSize, kSize);
    const Census census(frame);
    EXPECT_GT(census.count(Area::Back), kSize * kSize / 5);
    EXPECT_GT(census.count(Area::Front), kSize * kSize / 5);
    EXPECT_EQ(census.count(Area::Other), 0);
}

struct ClampCase {
    View given, clamped;
};

const ClampCase kClampCases[] = {
    {{-90, 0, 1}, {270, 0, 1}},
    {{725, 0, 1}, {5, 0, 1}},
    {{0, 60, 1}, {0, preview::kMaxPitch, 1}},
    {{0, -60, 1}, {0, -preview::kMaxPitch, 1}},
    {{0, 0, 0.5f}, {0, 0, 1}},
    {{0, 0, 100}, {0, 0, preview::kMaxZoom}},
};

TEST(ClampedView, KeepsTheViewInItsRanges) {
    for (const ClampCase& c : kClampCases) {
        const View view = preview::clampedView(c.given);
        EXPECT_FLOAT_EQ(view.yaw, c.clamped.yaw);
        EXPECT_FLOAT_EQ(view.pitch, c.clamped.pitch);
        EXPECT_FLOAT_EQ(view.zoom, c.clamped.zoom);
    }
}

} // namespace
