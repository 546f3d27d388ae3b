// Palette expansion of 8-bit rows: the 64-pixel path (where the processor has it) and the
// portable one must give exactly the palette's colours, at every row width and tail length.

#include <gtest/gtest.h>

#include <random>

#include "core/bmp_format.h"

namespace {

using core::bmp::IndexRowExpander;
using core::bmp::PaletteLut;

// Widths that give every tail length after whole 64-pixel blocks, and rows of several blocks.
std::vector<int> widths() {
    std::vector<int> all;
    for (int width = 1; width <= 192; ++width)
        all.push_back(width);
    for (int width : {255, 256, 1000})
        all.push_back(width);
    return all;
}

TEST(IndexRowExpander, TheWidePathIsUsedWhereTheProcessorHasIt) {
    if (!IndexRowExpander::wideAvailable())
        GTEST_SKIP() << "This processor has no AVX-512 byte permutes (VBMI): the 64-pixel path cannot be "
                        "tested here; only the portable one is.";
    EXPECT_TRUE(IndexRowExpander(PaletteLut{}, true).isWide());
    EXPECT_FALSE(IndexRowExpander(PaletteLut{}, false).isWide());
}

TEST(IndexRowExpander, BothPathsGiveThePaletteColourOfEveryIndex) {
    std::mt19937 random(7);
    PaletteLut lut{};
    for (std::uint32_t& entry : lut)
        entry = random() & 0xFFFFFF;
    const IndexRowExpander wide(lut, true), portable(lut, false);

    for (int width : widths()) {
        std::vector<std::uint8_t> indices(static_cast<std::size_t>(width));
        for (std::uint8_t& index : indices)
            index = std::uint8_t(random());
        indices[std::size_t(width) - 1] = 255; // both ends of the palette, in both halves of the tables
        indices[0] = 0;
        // One guard byte past the row: neither path may write beyond its width.
        std::vector<std::uint8_t> fromWide(std::size_t(width) * 3 + 1, 0xA5), fromPortable = fromWide;
        wide(indices.data(), fromWide.data(), width);
        portable(indices.data(), fromPortable.data(), width);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t c = lut[indices[std::size_t(x)]];
            const std::uint8_t expected[3] = {std::uint8_t(c), std::uint8_t(c >> 8), std::uint8_t(c >> 16)};
            for (int k = 0; k < 3; ++k) {
                ASSERT_EQ(fromWide[std::size_t(x) * 3 + k], expected[k])
                    << "wide, width " << width << ", x " << x;
                ASSERT_EQ(fromPortable[std::size_t(x) * 3 + k], expected[k])
                    << "portable, width " << width << ", x " << x;
            }
        }
        EXPECT_EQ(fromWide.back(), 0xA5) << width;
        EXPECT_EQ(fromPortable.back(), 0xA5) << width;
    }
}

} // namespace
