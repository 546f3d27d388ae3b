// Swapping red and blue along a row, through each version the processor runs: every row width
// up to two of the widest vector steps and beyond, so that every tail length after whole steps
// is met, from and to addresses of every alignment. A guard before and after the row shows a
// byte written outside it; the source ends where its allocation ends, so that a read past it
// shows under AddressSanitizer.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "core/bmp_bgr_rows.h"
#include "tests/core/row_kernel_names.h"

namespace {

using core::bmp::Kernel;

constexpr std::uint8_t kGuard = 0xA5;
constexpr std::size_t kGuardBytes = 64;

// Widths of every tail after whole vector steps (the widest step is 21 pixels), rows of many
// steps, and a skin's row.
std::vector<int> widths() {
    std::vector<int> all;
    for (int width = 1; width <= 2 * 21 + 10; ++width)
        all.push_back(width);
    for (int width : {63, 64, 65, 100, 255, 256, 1001})
        all.push_back(width);
    return all;
}

class SwapRedBlue : public ::testing::TestWithParam<Kernel> {};

TEST_P(SwapRedBlue, EveryPixelOfEveryRowLengthIsSwappedAndNothingElseIsWritten) {
    const Kernel kernel = GetParam();
    if (!core::bmp::processorRuns(kernel))
        GTEST_SKIP() << "this processor does not run " << core::bmp::kernelName(kernel) << " code";

    for (int width : widths())
        for (std::size_t srcShift = 0; srcShift < 4; ++srcShift)
            for (std::size_t dstShift = 0; dstShift < 4; ++dstShift) {
                const std::size_t bytes = std::size_t(width) * 3;
                // The source's first byte is srcShift bytes into its allocation (new gives 16-byte
                // alignment at least), its last byte the allocation's last.
                std::unique_ptr<std::uint8_t[]> from(new std::uint8_t[srcShift + bytes]);
                std::uint8_t* src = from.get() + srcShift;
                for (std::size_t i = 0; i < bytes; ++i) // each byte tells its pixel and place
                    src[i] = std::uint8_t(i / 3 * 7 + i % 3 * 90 + 1);

                std::vector<std::uint8_t> to(kGuardBytes + dstShift + bytes + kGuardBytes, kGuard);
                std::uint8_t* dst = to.data() + kGuardBytes + dstShift;
                core::bmp::swapRedBlue(kernel, src, dst, width);

                for (int x = 0; x < width; ++x) {
                    const std::uint8_t* s = src + 3 * x;
                    const std::uint8_t* d = dst + 3 * x;
                    ASSERT_TRUE(d[0] == s[2] && d[1] == s[1] && d[2] == s[0])
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

INSTANTIATE_TEST_SUITE_P(Kernels, SwapRedBlue,
                         ::testing::Values(Kernel::Portable, Kernel::Ssse3, Kernel::Avx2, Kernel::Avx512),
                         kerneltest::kernelTestName);

TEST(SwapRedBlue, EveryVectorVersionRunsWhereTheProcessorHasItAndTheWidestIsUsed) {
    std::vector<Kernel> expected;
    for (Kernel kernel : core::bmp::kKernels)
        if (core::bmp::processorRuns(kernel)) expected.push_back(kernel);
    EXPECT_EQ(core::bmp::swapKernels(), expected);
    EXPECT_EQ(core::bmp::swapKernel(), expected.back());
}

} // namespace
