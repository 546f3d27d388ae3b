// Swapping red and blue along a row, through each version the processor runs: every row width
// up to two of the widest vector steps and beyond, so that every tail length after whole steps
// is met, from and to addresses of every alignment. A guard before and after the row shows a
// byte written outside it; the source ends where its allocation ends, so that a read past it
// shows under AddressSanitizer.

#include <gtest/gtest.h>

#include <vector>

#include "core/codec/bmp_bgr_rows.h"
#include "tests/core/rows/row_kernel_test_support.h"

namespace {

using core::rows::Kernel;
using kerneltest::GuardedRow;
using kerneltest::SourceRow;

class SwapRedBlue : public kerneltest::EachKernel {};

TEST_P(SwapRedBlue, EveryPixelOfEveryRowLengthIsSwappedAndNothingElseIsWritten) {
    const Kernel kernel = GetParam();
    // Every tail after whole vector steps (the widest step is 21 pixels), rows of many steps,
    // and a skin's row.
    for (int width : kerneltest::rowWidths(21, {63, 64, 65, 100, 255, 256, 1001}))
        for (std::size_t srcShift = 0; srcShift < kerneltest::kShifts; ++srcShift)
            for (std::size_t dstShift = 0; dstShift < kerneltest::kShifts; ++dstShift) {
                const std::size_t bytes = std::size_t(width) * 3;
                SourceRow from(bytes, srcShift);
                std::uint8_t* src = from.data();
                for (std::size_t i = 0; i < bytes; ++i) // each byte tells its pixel and place
                    src[i] = std::uint8_t(i / 3 * 7 + i % 3 * 90 + 1);

                GuardedRow to(bytes, dstShift);
                std::uint8_t* dst = to.data();
                core::bmp::swapRedBlue(kernel, src, dst, width);

                for (int x = 0; x < width; ++x) {
                    const std::uint8_t* s = src + 3 * x;
                    const std::uint8_t* d = dst + 3 * x;
                    ASSERT_TRUE(d[0] == s[2] && d[1] == s[1] && d[2] == s[0])
                        << "width " << width << ", pixel " << x << ", shifts " << srcShift << "/" << dstShift;
                }
                ASSERT_TRUE(to.untouchedBefore()) << "written before the row: width " << width;
                ASSERT_TRUE(to.untouchedAfter()) << "written past the row: width " << width;
            }
}

INSTANTIATE_TEST_SUITE_P(Kernels, SwapRedBlue, ::testing::ValuesIn(core::rows::kKernels),
                         kerneltest::kernelTestName);

TEST(SwapRedBlue, EveryVectorVersionRunsWhereTheProcessorHasItAndTheWidestIsUsed) {
    std::vector<Kernel> expected;
    for (Kernel kernel : core::rows::kKernels)
        if (core::rows::processorRuns(kernel)) expected.push_back(kernel);
    EXPECT_EQ(core::bmp::swapKernels(), expected);
    EXPECT_EQ(core::bmp::swapKernel(), expected.back());
}

} // namespace
