// The skin on a body from an OBJ file: texture coordinates pick the skin's area, their v running
// upwards; the body faces +z; the view frames it whatever its units, wherever it stands, lying
// down or upright.

#include <gtest/gtest.h>

#include <algorithm>

#include "preview/body.h"
#include "preview/mannequin.h"
#include "preview/obj_reader.h"
#include "preview/render.h"
#include "preview_test_support.h"

namespace {

using preview::Body;
using preview::View;
using preview_test::Area;

constexpr int kSize = 512;

// A quad from (-1, 0) to (1, 2) in the plane z = 0, facing +z, its texture coordinates running
// from (left, bottom) at its lower left corner to (right, top) at its upper right.
Body quad(float left, float bottom, float right, float top) {
    std::string text = "v -1 0 0\nv 1 0 0\nv 1 2 0\nv -1 2 0\n";
    for (const auto& [u, v] : {std::pair{left, bottom}, {right, bottom}, {right, top}, {left, top}})
        text += "vt " + std::to_string(u) + " " + std::to_string(v) + "\n";
    text += "f 1/1 2/2 3/3 4/4\n";
    auto mesh = preview::readObj(text);
    EXPECT_TRUE(mesh) << mesh.message();
    return preview::bodyOfMesh(mesh ? std::move(mesh).value() : preview::Mesh{});
}

Area areaAt(const core::Picture& frame, int x, int y) {
    const core::Rgb p = frame.pixel(x, y);
    const std::uint8_t rgb[] = {p.r, p.g, p.b};
    return preview_test::areaOf(rgb);
}

// How many pixels of the frame show each area.
std::array<int, 5> census(const core::Picture& frame) {
    std::array<int, 5> counts{};
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x)
            ++counts[std::size_t(areaAt(frame, x, y))];
    return counts;
}

TEST(RenderObjBody, AQuadWhoseTextureCoordinatesCoverTheFrontHalfShowsTheFrontsColour) {
    const float frontLeft = float(core::kBackRight) / core::kSkinSize;
    const Body body = quad(frontLeft, 0, 1, 1);
    const core::Picture skin = preview_test::threeAreaSkin();
    const auto seen = census(preview::renderSkin(skin, View{0, 0, 1}, kSize, kSize, body));
    EXPECT_GT(seen[std::size_t(Area::Front)], kSize * kSize / 4);
    EXPECT_EQ(seen[std::size_t(Area::Back)], 0);
    EXPECT_EQ(seen[std::size_t(Area::Arm)], 0);
    EXPECT_EQ(seen[std::size_t(Area::Other)], 0);
    // Facing +z, it turns its back to an eye behind the body and is not drawn.
    const auto behind = census(preview::renderSkin(skin, View{180, 0, 1}, kSize, kSize, body));
    EXPECT_EQ(behind[std::size_t(Area::Background)], kSize * kSize);
}

TEST(RenderObjBody, TextureCoordinatesRunUpFromTheSkinsBottomRow) {
    // The skin's quarters in four colours: seen from the front the quad shows its upper left
    // quarter at its upper left, as the skin is drawn.
    const core::Picture skin = preview_test::skinOf([](int x, int y) {
        const bool left = x < core::kSkinSize / 2, top = y < core::kSkinSize / 2;
        return top ? (left ? preview_test::kBackColour : preview_test::kFrontColour)
                   : (left ? preview_test::kArmColour : core::Rgb{120, 120, 120});
    });
    const core::Picture frame = preview::renderSkin(skin, View{0, 0, 1}, kSize, kSize, quad(0, 0, 1, 1));
    constexpr int kNear = kSize / 2 - 60, kFar = kSize / 2 + 60;
    EXPECT_EQ(areaAt(frame, kNear, kNear), Area::Back);
    EXPECT_EQ(areaAt(frame, kFar, kNear), Area::Front);
    EXPECT_EQ(areaAt(frame, kNear, kFar), Area::Arm);
    EXPECT_EQ(areaAt(frame, kFar, kFar), Area::Other);
}

// The mannequin's skin as a body of its own, every coordinate times scale and moved by offset.
Body placedMannequin(float scale, preview::Vec3 offset = {}) {
    preview::Mesh mesh = preview::mannequin().skin;
    for (preview::Vertex& vertex : mesh.vertices)
        vertex.position = vertex.position * scale + offset;
    return preview::bodyOfMesh(std::move(mesh));
}

TEST(RenderObjBody, FramesTheBodyWhateverItsUnits) {
    // In metres (about 1.7 tall) and in millimetres it looks as in centimetres, pixel for pixel,
    // from close up as from afar (scales that are powers of two keep every sum exact).
    const core::Picture skin = preview_test::threeAreaSkin();
    for (const View& view : {View{30, 10, 1}, View{200, -20, preview::kMaxZoom}}) {
        SCOPED_TRACE(view.yaw);
        const core::Picture centimetres = preview::renderSkin(skin, view, 256, 256, placedMannequin(1));
        EXPECT_EQ(preview::renderSkin(skin, view, 256, 256, placedMannequin(1.0f / 64)), centimetres);
        EXPECT_EQ(preview::renderSkin(skin, view, 256, 256, placedMannequin(16)), centimetres);
        EXPECT_LT(census(centimetres)[std::size_t(Area::Background)], 256 * 256 * 9 / 10);
    }
}

// Whether the body lies wholly inside the picture and in its middle from every side, its longer
// side across at least `fills` of the picture's.
void expectFramedFromEverySide(const Body& body, float fills) {
    constexpr int kSide = 128;
    const core::Picture skin = preview_test::threeAreaSkin();
    for (float pitch : {-preview::kMaxPitch, 0.0f, preview::kMaxPitch})
        for (float yaw = 0; yaw < 360; yaw += 45) {
            SCOPED_TRACE("yaw " + std::to_string(yaw) + ", pitch " + std::to_string(pitch));
            const core::Picture frame = preview::renderSkin(skin, View{yaw, pitch, 1}, kSide, kSide, body);
            int left = kSide, right = -1, top = kSide, bottom = -1;
            for (int y = 0; y < kSide; ++y)
                for (int x = 0; x < kSide; ++x)
                    if (frame.pixel(x, y) != preview::kBackground) {
                        left = std::min(left, x), right = std::max(right, x);
                        top = std::min(top, y), bottom = std::max(bottom, y);
                    }
            EXPECT_GT(left, 0);
            EXPECT_GT(top, 0);
            EXPECT_LT(right, kSide - 1);
            EXPECT_LT(bottom, kSide - 1);
            EXPECT_NEAR(left + right, kSide, kSide / 5);
            EXPECT_NEAR(top + bottom, kSide, kSide / 5);
            EXPECT_GT(std::max(right - left, bottom - top), fills * kSide);
        }
}

TEST(RenderObjBody, FramesABodyStandingAwayFromTheOrigin) {
    expectFramedFromEverySide(placedMannequin(10, {-5000, 12000, 3000}), 0.75f);
}

TEST(RenderObjBody, FramesABodyLyingDown) {
    // Exported with z up, the body lies along z: its length is its reach round the y axis. Seen
    // from its head or feet it is short.
    preview::Mesh mesh = preview::mannequin().skin;
    for (preview::Vertex& vertex : mesh.vertices) {
        const preview::Vec3 p = vertex.position, n = vertex.normal;
        vertex.position = {p.x, -p.z, p.y};
        vertex.normal = {n.x, -n.z, n.y};
    }
    expectFramedFromEverySide(preview::bodyOfMesh(std::move(mesh)), 0.3f);
}

} // namespace
