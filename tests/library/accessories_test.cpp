// The accessory pictures as shipped (decoded from the embedded files): the facts the accessory
// stamps rely on, such as the white ground that AND leaves as skin, exact white counts and tones.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <optional>
#include <tuple>

#include "core/library/image_library.h"

namespace {

using core::ImageId;
using core::Picture;
using core::Rgb;

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};

struct Census {
    int white = 0;
    Rgb commonest; // among the colours other than white
    std::map<std::tuple<int, int, int>, int> counts;
};

Census census(const Picture& p) {
    Census c;
    int best = 0;
    for (int y = 0; y < p.height(); ++y)
        for (int x = 0; x < p.width(); ++x) {
            const Rgb colour = p.pixel(x, y);
            if (colour == kWhite) {
                ++c.white;
                continue;
            }
            const int n = ++c.counts[{colour.r, colour.g, colour.b}];
            if (n > best) best = n, c.commonest = colour;
        }
    return c;
}

// Whether the white pixels of columns 0 to columns - 1 each form one run from the top row down:
// the ground above the shoes.
bool whiteOnlyAbove(const Picture& p, int columns) {
    for (int x = 0; x < columns; ++x) {
        int y = 0;
        while (y < p.height() && p.pixel(x, y) == kWhite)
            ++y;
        for (; y < p.height(); ++y)
            if (p.pixel(x, y) == kWhite) return false;
    }
    return true;
}

std::array<double, 3> meanOf(const Picture& p) {
    std::array<double, 3> mean{};
    for (int y = 0; y < p.height(); ++y)
        for (int x = 0; x < p.width(); ++x) {
            const Rgb c = p.pixel(x, y);
            mean[0] += c.r, mean[1] += c.g, mean[2] += c.b;
        }
    for (double& m : mean)
        m /= p.width() * p.height();
    return mean;
}

int brightness(Rgb c) {
    return std::max({c.r, c.g, c.b});
}

TEST(Accessories, SizesWhiteGroundAndMainColours) {
    struct Fact {
        ImageId id;
        int width, height;
        int white;                  // pure white pixels, exactly
        int groundColumns;          // columns from the left whose white lies above the shoe
        std::vector<Rgb> commonest; // the commonest other colour is one of these
        std::optional<Rgb> mean;    // the mean colour, within 1.5 per channel
    };
    const Fact facts[] = {
        {ImageId::imgBlackSneakers, 166, 19, 368, 166, {{38, 38, 38}}, {}},
        {ImageId::imgRedSneakers, 166, 19, 368, 166, {{98, 33, 31}}, {}},
        {ImageId::imgHighHeels, 166, 19, 729, 166, {{4, 4, 4}}, {}},
        {ImageId::imgSandals, 166, 13, 797, 83, {{22, 22, 20}}, {}},
        {ImageId::imgSmallBlackBoots, 166, 23, 0, 0, {{30, 30, 30}}, {}},
        {ImageId::imgSmallBrownBoots, 166, 23, 0, 0, {{35, 23, 23}}, {}},
        {ImageId::imgBigBlackBoots, 166, 71, 0, 0, {}, {}},
        {ImageId::imgMidriffLgt, 166, 7, 0, 0, {}, Rgb{223, 166, 135}},
        {ImageId::imgMidriffMed, 166, 7, 0, 0, {}, Rgb{178, 122, 77}},
        {ImageId::imgMidriffDrk, 166, 7, 0, 0, {}, Rgb{122, 77, 41}},
        {ImageId::imgMaidCollar, 119, 13, -1, 0, {kBlack}, {}},
        {ImageId::imgSilverRing, 3, 3, 0, 0, {{165, 138, 105}}, {}},
        {ImageId::imgGoldRing, 3, 3, 0, 0, {{165, 138, 105}}, {}},
    };
    core::ImageLibrary library;
    for (const Fact& f : facts) {
        SCOPED_TRACE(std::string(core::imageName(f.id)));
        const Picture& p = library.picture(f.id);
        ASSERT_EQ(p.width(), f.width);
        ASSERT_EQ(p.height(), f.height);
        const Census c = census(p);
        if (f.white >= 0) {
            EXPECT_EQ(c.white, f.white);
        }
        EXPECT_TRUE(whiteOnlyAbove(p, f.groundColumns));
        if (!f.commonest.empty()) {
            EXPECT_NE(std::find(f.commonest.begin(), f.commonest.end(), c.commonest), f.commonest.end())
                << int(c.commonest.r) << "," << int(c.commonest.g) << "," << int(c.commonest.b);
        }
        if (f.mean) {
            const std::array<double, 3> mean = meanOf(p);
            EXPECT_NEAR(mean[0], f.mean->r, 1.5);
            EXPECT_NEAR(mean[1], f.mean->g, 1.5);
            EXPECT_NEAR(mean[2], f.mean->b, 1.5);
            EXPECT_EQ(c.counts.count({0, 0, 0}), 0u);
            EXPECT_GE(c.counts.size(), 10u) << "shaded, not flat";
        }
    }
}

TEST(Accessories, SneakersHaveAGreySoleAndLacesInFrontOnly) {
    core::ImageLibrary library;
    for (ImageId id : {ImageId::imgBlackSneakers, ImageId::imgRedSneakers}) {
        SCOPED_TRACE(std::string(core::imageName(id)));
        const Picture& p = library.picture(id);
        int lacesBehind = 0, lacesInFront = 0;
        for (int x = 0; x < p.width(); ++x) {
            EXPECT_EQ(p.pixel(x, p.height() - 1), (Rgb{120, 120, 120})) << x;
            for (int y = 0; y < p.height(); ++y) {
                const Rgb c = p.pixel(x, y);
                if (c != kWhite && std::min({c.r, c.g, c.b}) >= 180) ++(x < 83 ? lacesBehind : lacesInFront);
            }
        }
        EXPECT_EQ(lacesBehind, 0);
        EXPECT_GT(lacesInFront, 20);
    }
}

TEST(Accessories, HighHeelsAreMostlyOneNearBlack) {
    core::ImageLibrary library;
    const Picture& p = library.picture(ImageId::imgHighHeels);
    const Census c = census(p);
    const int dark = p.width() * p.height() - c.white;
    EXPECT_GT(c.counts.at({4, 4, 4}) * 2, dark);
    for (int x = 0; x < p.width(); ++x)
        EXPECT_NE(p.pixel(x, p.height() - 1), kWhite) << x;
}

TEST(Accessories, BootsAreDarkWithHighlights) {
    core::ImageLibrary library;
    for (ImageId id : {ImageId::imgSmallBlackBoots, ImageId::imgSmallBrownBoots}) {
        const Picture& p = library.picture(id);
        const int leather = brightness(census(p).commonest);
        int lighter = 0;
        for (int y = 0; y < p.height(); ++y)
            for (int x = 0; x < p.width(); ++x) {
                EXPECT_LT(brightness(p.pixel(x, y)), 70) << core::imageName(id) << " " << x << "," << y;
                lighter += brightness(p.pixel(x, y)) >= leather + 4;
            }
        EXPECT_GT(lighter, 50) << core::imageName(id) << ": faint lighter patches";
    }

    const Picture& big = library.picture(ImageId::imgBigBlackBoots);
    int nearBlack = 0, blueGrey = 0, grey = 0;
    std::vector<double> rowLight(big.height());
    for (int y = 0; y < big.height(); ++y)
        for (int x = 0; x < big.width(); ++x) {
            const Rgb c = big.pixel(x, y);
            nearBlack += brightness(c) < 30;
            blueGrey += c.b >= c.r + 15 && brightness(c) >= 40;
            grey += brightness(c) - std::min({c.r, c.g, c.b}) <= 4 && brightness(c) >= 50;
            rowLight[y] += (c.r + c.g + c.b) / 3.0;
        }
    EXPECT_GT(nearBlack * 10, big.width() * big.height() * 7);
    EXPECT_GT(blueGrey, 100);
    EXPECT_GT(grey, 20);
    // The lightest rows below the cuff are the band near the bottom.
    const auto lightest = std::max_element(rowLight.begin() + 3, rowLight.end()) - rowLight.begin();
    EXPECT_GE(lightest, 50);
    EXPECT_LT(lightest, 69);
}

TEST(Accessories, CollarIsTwoBlackUsNearTheEnds) {
    core::ImageLibrary library;
    const Picture& p = library.picture(ImageId::imgMaidCollar);
    struct Arc {
        int from, to; // columns that hold one U
    };
    for (const Arc arc : {Arc{0, 30}, Arc{70, 119}}) {
        std::vector<int> topRow, lowest(p.width(), -1);
        for (int x = arc.from; x < arc.to; ++x)
            for (int y = 0; y < p.height(); ++y) {
                const Rgb c = p.pixel(x, y);
                ASSERT_TRUE(c == kBlack || c == kWhite);
                if (c == kBlack) lowest[x] = y;
                if (c == kBlack && y == 0) topRow.push_back(x);
            }
        // Open at the top (two arms far apart), deepest in the middle.
        ASSERT_FALSE(topRow.empty());
        EXPECT_GT(topRow.back() - topRow.front(), 15);
        const int deepest = int(std::max_element(lowest.begin(), lowest.end()) - lowest.begin());
        EXPECT_GT(deepest, topRow.front() + 5);
        EXPECT_LT(deepest, topRow.back() - 5);
        EXPECT_GE(lowest[deepest], 10);
    }
    for (int x = 30; x < 70; ++x)
        for (int y = 0; y < p.height(); ++y)
            EXPECT_EQ(p.pixel(x, y), kWhite) << x << "," << y;
}

TEST(Accessories, RingsAreGreyOrGoldWithSkinCorners) {
    core::ImageLibrary library;
    struct Case {
        ImageId id;
        bool gold;
    };
    for (const Case c : {Case{ImageId::imgSilverRing, false}, Case{ImageId::imgGoldRing, true}}) {
        const Picture& p = library.picture(c.id);
        for (auto [x, y] : {std::pair{0, 0}, {2, 0}, {0, 2}, {2, 2}})
            EXPECT_EQ(p.pixel(x, y), (Rgb{165, 138, 105})) << core::imageName(c.id);
        for (auto [x, y] : {std::pair{1, 0}, {0, 1}, {2, 1}, {1, 2}}) {
            const Rgb ring = p.pixel(x, y);
            if (c.gold) {
                EXPECT_GT(ring.r, ring.g);
                EXPECT_GT(ring.g, ring.b);
                EXPECT_GE(ring.r - ring.b, 80);
            } else {
                EXPECT_LE(std::abs(ring.r - ring.g), 8);
                EXPECT_LE(std::abs(ring.g - ring.b), 10);
            }
        }
    }
}

} // namespace
