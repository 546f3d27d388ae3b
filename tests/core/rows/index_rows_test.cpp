// Palette expansion of 8-bit rows through each version the processor runs: exactly the
// palette's colours at every row width and tail length, from and to addresses of every
// alignment, and nothing written outside the row.

#include <gtest/gtest.h>

#include <random>

#include "core/codec/bmp_format.h"
#include "tests/core/rows/row_kernel_test_support.h"

namespace {

using core::rows::IndexRowExpander;
using core::rows::Kernel;
using core::rows::PaletteLut;
using kerneltest::GuardedRow;
using kerneltest::SourceRow;

class ExpandIndices : public kerneltest::EachKernel {};

TEST_P(ExpandIndices, EveryIndexGivesItsPaletteColourAndNothingElseIsWritten) {
    const Kernel kernel = GetParam();
    std::mt19937 random(7);
    PaletteLut lut{};
    for (std::uint32_t& entry : lut)
        entry = random() & 0xFFFFFF;
    const IndexRowExpander expand(lut, kernel);
    ASSERT_EQ(expand.kernel(), kernel);

    // Every tail after whole 64-pixel blocks, and rows of several blocks.
    for (int width : kerneltest::rowWidths(64, {191, 192, 193, 255, 256, 1000}))
        for (std::size_t srcShift = 0; srcShift < kerneltest::kShifts; ++srcShift)
            for (std::size_t dstShift = 0; dstShift < kerneltest::kShifts; ++dstShift) {
                SourceRow from(std::size_t(width), srcShift);
                std::uint8_t* indices = from.data();
                for (int x = 0; x < width; ++x)
                    indices[x] = std::uint8_t(random());
                indices[width - 1] = 255; // both ends of the palette, in both halves of the tables
                indices[0] = 0;

                GuardedRow to(std::size_t(width) * 3, dstShift);
                std::uint8_t* rgb = to.data();
                expand(indices, rgb, width);

                for (int x = 0; x < width; ++x) {
                    const std::uint32_t c = lut[indices[x]];
                    const std::uint8_t* p = rgb + 3 * x;
                    ASSERT_TRUE(p[0] == std::uint8_t(c) && p[1] == std::uint8_t(c >> 8) &&
                                p[2] == std::uint8_t(c >> 16))
                        << "width " << width << ", pixel " << x << ", shifts " << srcShift << "/" << dstShift;
                }
                ASSERT_TRUE(to.untouchedBefore()) << "written before the row: width " << width;
                ASSERT_TRUE(to.untouchedAfter()) << "written past the row: width " << width;
            }
}

// The expansion has a portable and an AVX-512 version: SSSE3 and AVX2 lack a 256-entry lookup
// that beats the portable loop.
INSTANTIATE_TEST_SUITE_P(Kernels, ExpandIndices, ::testing::Values(Kernel::Portable, Kernel::Avx512),
                         kerneltest::kernelTestName);

TEST(ExpandIndices, TheWidestVersionTheProcessorRunsIsUsed) {
    const Kernel widest = core::rows::processorRuns(Kernel::Avx512) ? Kernel::Avx512 : Kernel::Portable;
    EXPECT_EQ(IndexRowExpander(PaletteLut{}).kernel(), widest);
    EXPECT_EQ(IndexRowExpander::kernels().back(), widest);
    // A version the processor lacks (or the expansion has none of) falls back to the portable one.
    EXPECT_EQ(IndexRowExpander(PaletteLut{}, Kernel::Avx2).kernel(), Kernel::Portable);
}

} // namespace
