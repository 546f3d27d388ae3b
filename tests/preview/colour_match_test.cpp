// The colour test of fill and replace: the picked colour alone at tolerance 0, else every colour
// within the tolerance in CIEDE2000 and no other, however many colours it is asked about and in
// whatever order.

#include <gtest/gtest.h>

#include <vector>

#include "core/colour_difference.h"
#include "preview/colour_match.h"

namespace {

using core::Rgb;

TEST(ColourMatch, TakesThePickedColourAloneAtZero) {
    const auto like = preview::likeColour({120, 80, 60}, 0);
    EXPECT_TRUE(like({120, 80, 60}));
    EXPECT_FALSE(like({120, 80, 61}));
}

TEST(ColourMatch, TakesTheColoursWithinTheToleranceAndNoOther) {
    const Rgb picked{180, 120, 90};
    const double tolerance = 4;
    // Colours round the picked one, near and far, more of them than the test remembers at once.
    std::vector<Rgb> colours;
    for (int r = -24; r <= 24; r += 3)
        for (int g = -24; g <= 24; g += 3)
            for (int b = -24; b <= 24; b += 3)
                colours.push_back(
                    {std::uint8_t(picked.r + r), std::uint8_t(picked.g + g), std::uint8_t(picked.b + b)});
    ASSERT_GT(colours.size(), 4096u);
    const auto like = preview::likeColour(picked, tolerance);
    int alike = 0;
    for (int pass = 0; pass < 2; ++pass)
        for (std::size_t i = 0; i < colours.size(); ++i) {
            // Forwards, then backwards, so remembered and fresh answers are both asked for.
            const Rgb c = colours[pass == 0 ? i : colours.size() - 1 - i];
            const bool expected =
                core::deltaE2000(core::labFromRgb(picked), core::labFromRgb(c)) <= tolerance;
            ASSERT_EQ(like(c), expected) << int(c.r) << ", " << int(c.g) << ", " << int(c.b);
            alike += expected;
        }
    EXPECT_GT(alike, 0);
    EXPECT_LT(alike, int(2 * colours.size()));
}

} // namespace
