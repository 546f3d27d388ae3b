// The accessories' drawing aids: whole-number profiles that add up exactly, the foot layout and
// the conversion of a strip to an 8-bit picture.

#include <gtest/gtest.h>

#include <numeric>
#include <stdexcept>

#include "tools/draw_library/strip.h"

namespace {

TEST(Apportion, SharesAddUpToTheTotalInProportion) {
    struct Case {
        std::vector<double> weights;
        int total;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {{1, 1, 1}, 6, {2, 2, 2}},       {{1, 1, 1}, 7, {3, 2, 2}}, // ties go to the earlier weight
        {{1, 2, 3, 4}, 3, {0, 1, 1, 1}}, // 0.3, 0.6, 0.9, 1.2: largest remainders win
        {{0, 5, 0}, 4, {0, 4, 0}},       {{0.5, 0.25, 0.25}, 0, {0, 0, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(draw::apportion(c.weights, c.total), c.expected);
    EXPECT_THROW(draw::apportion({0, 0}, 3), std::invalid_argument);
}

TEST(FootLayout, FourFeetTwoOnEachHalf) {
    struct Case {
        int x, foot;
        bool front;
    };
    for (const Case& c : {Case{0, 0, false},
                          {41, 1, false},
                          {82, 1, false},
                          {83, 2, true},
                          {123, 2, true},
                          {124, 3, true},
                          {165, 3, true}}) {
        const draw::FootSpot spot = draw::footAt(c.x);
        EXPECT_EQ(spot.foot, c.foot) << c.x;
        EXPECT_EQ(spot.front, c.front) << c.x;
        EXPECT_GE(spot.u, -1.0);
        EXPECT_LT(spot.u, 1.0);
    }
}

TEST(Strip, EightBitKeepsEveryColourThroughItsPalette) {
    draw::Strip strip(4, 2, {30, 30, 30});
    strip.set(1, 0, {35, 23, 23});
    strip.set(3, 1, {200, 0, 7});
    strip.set(9, 9, {1, 1, 1}); // outside: ignored
    const draw::DrawnPicture picture = strip.as8Bit();
    ASSERT_EQ(picture.palette.size(), 256u);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(picture.palette[picture.indices[y * 4 + x]], strip.at(x, y));

    draw::Strip tooMany(300, 1, {});
    for (int x = 0; x < 300; ++x)
        tooMany.set(x, 0, {std::uint8_t(x), std::uint8_t(x / 256), 0});
    EXPECT_THROW(tooMany.as8Bit(), std::logic_error);
}

} // namespace
