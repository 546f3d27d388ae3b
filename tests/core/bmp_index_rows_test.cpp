// Palette expansion of 8-bit rows through each version the processor runs: exactly the
// palette's colours at every row width and tail length, from and to addresses of every
// alignment, and nothing written outside the row.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>

#include "core/bmp_format.h"
#include "tests/core/row_kernel_names.h"

namespace {

using core::bmp::IndexRowExpander;
using core::bmp::Kernel;
using core::bmp::PaletteLut;

constexpr std::uint8_t kGuard = 0xA5;
constexpr std::size_t kGuardBytes = 64;

// Widths that give every tail length after whole 64-pixel blocks, and rows of several blocks.
std::vector<int> widths() {
    std::vector<int> all;
    for (int width = 1; width <= 2 * 64 + 10; ++width)
        all.push_back(width);
    for (int width : {191, 192, 193, 255, 256, 1000})
        all.push_back(width);
    return all;
}

class ExpandIndices : public ::testing::TestWithParam<Kernel> {};

TEST_P(ExpandIndices, EveryIndexGivesItsPaletteColourAndNothingElseIsWritten) {
    const Kernel kernel = GetParam();
    if (!core::bmp::processorRuns(kernel))
        GTEST_SKIP() << "this processor does not run " << core::bmp::kernelName(kernel) << " code";
    std::mt19937 random(7);
    PaletteLut lut{};
    for (std::uint32_t& entry : lut)
        entry = random() & 0xFFFFFF;
    const IndexRowExpander expand(lut, kernel);
    ASSERT_EQ(expand.kernel(), kernel);

    for (int width : widths())
        for (std::size_t srcShift = 0; srcShift < 4; ++srcShift)
            for (std::size_t dstShift = 0; dstShift < 4; ++dstShift) {
                // The indices end where their allocation ends: a read past them shows under
                // AddressSanitizer.
                std::unique_ptr<std::uint8_t[]> from(new std::uint8_t[srcShift + std::size_t(width)]);
                std::uint8_t* indices = from.get() + srcShift;
                for (int x = 0; x < width; ++x)
                    indices[x] = std::uint8_t(random());
                indices[width - 1] = 255; // both ends of the palette, in both halves of the tables
                indices[0] = 0;

                const std::size_t bytes = std::size_t(width) * 3;
                std::vector<std::uint8_t> to(kGuardBytes + dstShift + bytes + kGuardBytes, kGuard);
                std::uint8_t* rgb = to.data() + kGuardBytes + dstShift;
                expand(indices, rgb, width);

                for (int x = 0; x < width; ++x) {
                    const std::uint32_t c = lut[indices[x]];
                    const std::uint8_t* p = rgb + 3 * x;
                    ASSERT_TRUE(p[0] == std::uint8_t(c) && p[1] == std::uint8_t(c >> 8) &&
                                p[2] == std::uint8_t(c >> 16))
                        << "width " << width << ", pixel " << x << ", shifts " << srcShift << "/" << dstShift;
                }
                ASSERT_TRUE(std::all_of(to.begin(), to.begin() + std::ptrdiff_t(kGuardBytes + dstShift),
                                        [](std::uint8_t b) { return b == kGuard; }))
                    << "written before the row: width " << width;
                ASSERT_TRUE(std::all_of(to.end() - std::ptrdiff_t(kGuardBytes), to.end(),
                                        [](std::uint8_t b) { return b == kGuard; }))
                    << "written past the row: width " << width;
            }
}

// The expansion has a portable and an AVX-512 version: SSSE3 and AVX2 lack a 256-entry lookup
// that beats the portable loop.
INSTANTIATE_TEST_SUITE_P(Kernels, ExpandIndices, ::testing::Values(Kernel::Portable, Kernel::Avx512),
                         kerneltest::kernelTestName);

TEST(ExpandIndices, TheWidestVersionTheProcessorRunsIsUsed) {
    const Kernel widest = core::bmp::processorRuns(Kernel::Avx512) ? Kernel::Avx512 : Kernel::Portable;
    EXPECT_EQ(IndexRowExpander(PaletteLut{}).kernel(), widest);
    EXPECT_EQ(IndexRowExpander::kernels().back(), widest);
    // A version the processor lacks (or the expansion has none of) falls back to the portable one.
    EXPECT_EQ(IndexRowExpander(PaletteLut{}, Kernel::Avx2).kernel(), Kernel::Portable);
}

} // namespace
