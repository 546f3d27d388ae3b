// The bare-body skins as drawn: tones, palettes, layout and the shared drawings.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <string>

#include "tools/draw_library/bodies.h"

namespace {

struct ExpectedBody {
    std::string name;
    double mean[3];
    core::Rgb darkest, lightest;
};

// In the order the holders list them.
const ExpectedBody kExpected[] = {
    {"imgDarkBody", {111, 66, 32}, {55, 15, 14}, {138, 97, 60}},
    {"imgMedBody", {169, 112, 67}, {117, 65, 26}, {191, 144, 98}},
    {"imgLightBody", {213, 153, 125}, {140, 86, 61}, {236, 188, 161}},
    {"imgMaleLight", {210, 151, 121}, {140, 85, 59}, {239, 185, 158}},
    {"imgMaleDark", {99, 60, 32}, {48, 14, 14}, {121, 90, 65}},
    {"imgMaleMed", {160, 105, 60}, {114, 63, 23}, {175, 129, 88}},
};

double luminance(const core::Rgb& c) {
    return 0.299 * c.r + 0.587 * c.g + 0.114 * c.b;
}

struct Body {
    std::string name;
    draw::DrawnPicture picture;
    core::Rgb at(int x, int y) const { return picture.palette[picture.indices[y * 256 + x]]; }
    double lumaAt(int x, int y) const { return luminance(at(x, y)); }
};

// Drawing takes a moment, so every test shares one drawing of each body.
const std::vector<Body>& bodies() {
    static const std::vector<Body> drawn = [] {
        std::vector<Body> all;
        for (const draw::DrawEntry& entry : draw::bodyPictures())
            all.push_back({std::string(entry.name), entry.draw()});
        return all;
    }();
    return drawn;
}

const Body& body(const std::string& name) {
    for (const Body& b : bodies())
        if (b.name == name) return b;
    ADD_FAILURE() << "no body " << name;
    return bodies().front();
}

TEST(Bodies, AreTheSixSkinsInHolderOrderAs256By256EightBitPictures) {
    ASSERT_EQ(bodies().size(), std::size(kExpected));
    for (std::size_t i = 0; i < bodies().size(); ++i) {
        const draw::DrawnPicture& p = bodies()[i].picture;
        EXPECT_EQ(bodies()[i].name, kExpected[i].name);
        EXPECT_EQ(p.width, 256);
        EXPECT_EQ(p.height, 256);
        EXPECT_EQ(p.bitsPerPixel, 8);
        EXPECT_EQ(p.palette.size(), 256u);
        EXPECT_EQ(p.indices.size(), 256u * 256u);
    }
}

TEST(Bodies, MeetTheirToneMeanDarkestAndLightest) {
    for (const ExpectedBody& expected : kExpected) {
        SCOPED_TRACE(expected.name);
        const draw::DrawnPicture& p = body(expected.name).picture;
        std::set<int> used(p.indices.begin(), p.indices.end());
        EXPECT_GE(used.size(), 250u);
        double sum[3] = {};
        for (std::uint8_t i : p.indices) {
            sum[0] += p.palette[i].r, sum[1] += p.palette[i].g, sum[2] += p.palette[i].b;
        }
        for (int k = 0; k < 3; ++k)
            EXPECT_NEAR(sum[k] / p.indices.size(), expected.mean[k], 1.5) << "channel " << k;
        const auto byLuminance = [&p](int a, int b) {
            return luminance(p.palette[a]) < luminance(p.palette[b]);
        };
        const auto [darkest, lightest] = std::minmax_element(used.begin(), used.end(), byLuminance);
        EXPECT_EQ(p.palette[*darkest], expected.darkest);
        EXPECT_EQ(p.palette[*lightest], expected.lightest);
        for (int i : used) {
            EXPECT_NE(p.palette[i], (core::Rgb{0, 0, 0})) << "entry " << i;
            EXPECT_NE(p.palette[i], (core::Rgb{255, 255, 255})) << "entry " << i;
        }
    }
}

TEST(Bodies, AreDrawnTheSameEveryTime) {
    const std::vector<draw::DrawEntry> entries = draw::bodyPictures();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const draw::DrawnPicture again = entries[i].draw();
        EXPECT_EQ(again.indices, bodies()[i].picture.indices) << entries[i].name;
        EXPECT_EQ(again.palette, bodies()[i].picture.palette) << entries[i].name;
    }
}

// Two pictures are one drawing in two tones when their pixels fall into the same groups:
// pixels that share a palette entry in one share an entry in the other, and the other way round.
bool sameDrawing(const draw::DrawnPicture& a, const draw::DrawnPicture& b) {
    std::map<int, int> aToB, bToA;
    for (std::size_t i = 0; i < a.indices.size(); ++i) {
        if (aToB.emplace(a.indices[i], b.indices[i]).first->second != b.indices[i]) return false;
        if (bToA.emplace(b.indices[i], a.indices[i]).first->second != a.indices[i]) return false;
    }
    return true;
}

TEST(Bodies, FemaleAndMaleSkinsAreOneDrawingEachInThreeTones) {
    const struct {
        std::string a, b;
        bool same;
    } cases[] = {
        {"imgDarkBody", "imgMedBody", true},     {"imgDarkBody", "imgLightBody", true},
        {"imgMaleLight", "imgMaleDark", true},   {"imgMaleLight", "imgMaleMed", true},
        {"imgLightBody", "imgMaleLight", false}, {"imgDarkBody", "imgMaleDark", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(sameDrawing(body(c.a).picture, body(c.b).picture), c.same) << c.a << " and " << c.b;
}

double meanLuma(const Body& b, int left, int top, int right, int bottom) {
    double sum = 0;
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x)
            sum += b.lumaAt(x, y);
    return sum / ((right - left + 1) * (bottom - top + 1));
}

TEST(Bodies, ShowTheNavelWhereTheNavelRingsGo) {
    // The rings cover columns 217-219, rows 85-87: the navel is the darkest spot of its
    // neighbourhood on the front, clearly darker than the belly around it.
    for (const Body& b : bodies()) {
        SCOPED_TRACE(b.name);
        double darkest = 1e9;
        int darkestX = 0, darkestY = 0;
        for (int y = 78; y <= 94; ++y)
            for (int x = 210; x <= 226; ++x)
                if (b.lumaAt(x, y) < darkest) darkest = b.lumaAt(x, y), darkestX = x, darkestY = y;
        EXPECT_GE(darkestX, 217);
        EXPECT_LE(darkestX, 219);
        EXPECT_GE(darkestY, 85);
        EXPECT_LE(darkestY, 87);
        const double belly = (meanLuma(b, 208, 78, 228, 80) + meanLuma(b, 208, 92, 228, 94)) / 2;
        EXPECT_LT(darkest, belly - 8);
    }
}

TEST(Bodies, ShadeLimbsAndTorsoAsRoundFormsDarkerTowardsTheSeams) {
    // Each row: a row, a column where the form faces the viewer and a column near the seam
    // where the texture wraps round; the facing part is the lighter, in every body.
    const struct {
        const char* where;
        int y, facing, seam;
    } cases[] = {
        {"upper arm", 80, 45, 1},
        {"forearm", 170, 45, 88},
        {"back at the waist", 65, 134, 92},
        {"front at the waist", 65, 210, 175},
        {"back of a thigh", 150, 112, 91},
        {"front of a calf", 215, 237, 254},
        {"between the legs, front", 160, 196, 218},
    };
    for (const Body& b : bodies())
        for (const auto& c : cases) {
            const double facing = meanLuma(b, c.facing - 1, c.y - 2, c.facing + 1, c.y + 2);
            const double seam = meanLuma(b, c.seam - 1, c.y - 2, c.seam + 1, c.y + 2);
            EXPECT_GT(facing, seam + 10) << b.name << ", " << c.where;
        }
}

} // namespace
