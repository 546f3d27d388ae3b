// The colour reduction's memory: the arena taken before libimagequant runs holds everything it
// asks for, and a reduction short of memory fails with a message instead of ending the program.

#include <gtest/gtest.h>

#include <malloc.h>

#include <random>

#include "core/eight_bit/colour_reduction.h"
#include "core/eight_bit/reduction_arena.h"
#include "tests/child_process.h"

namespace {

using core::Picture;

// width x height pixels: smooth gradients (many colours in few shades), stripes of few colours,
// or noise (as many colours as pixels).
enum class Pattern { Gradients, Stripes, Noise };
Picture pattern(int width, int height, Pattern kind) {
    std::vector<std::uint8_t> rgb;
    rgb.reserve(std::size_t(width) * height * 3);
    std::mt19937 random(7);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::uint32_t r = random();
            switch (kind) {
            case Pattern::Gradients:
                rgb.insert(rgb.end(), {std::uint8_t(x), std::uint8_t(y), std::uint8_t(x ^ y)});
                break;
            case Pattern::Stripes:
                rgb.insert(rgb.end(),
                           {std::uint8_t(x * 7), std::uint8_t(y * 3), std::uint8_t((x + y) % 7 * 30)});
                break;
            case Pattern::Noise:
                rgb.insert(rgb.end(), {std::uint8_t(r), std::uint8_t(r >> 8), std::uint8_t(r >> 16)});
                break;
            }
        }
    return Picture(width, height, std::move(rgb));
}

TEST(ReductionArena, HoldsEverythingLibimagequantAsksFor) {
    const struct {
        int width, height;
        Pattern kind;
        float dithering;
    } cases[] = {
        {17, 17, Pattern::Noise, 1},
        {256, 256, Pattern::Gradients, 0},
        {256, 256, Pattern::Noise, 1},
        {256, 256, Pattern::Stripes, 0},
        {1024, 2, Pattern::Noise, 1},
        {3, 700, Pattern::Noise, 0},
        {640, 480, Pattern::Noise, 1},
        // The most a pixel that was measured: a million pixels of noise, whose colours the
        // histogram counts twice over.
        {1024, 1024, Pattern::Noise, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height) + ", pattern " +
                     std::to_string(int(c.kind)) + ", dithering " + std::to_string(c.dithering));
        const std::size_t overflows = core::ReductionArena::overflows();
        const auto reduced = core::reduceColours(pattern(c.width, c.height, c.kind), c.dithering);
        ASSERT_TRUE(reduced) << reduced.message();
        EXPECT_EQ(core::ReductionArena::overflows(), overflows);
    }
}

TEST(ReductionArena, AReductionShortOfMemoryFailsWithAMessage) {
    if (childtest::kAddressSanitizer) GTEST_SKIP() << childtest::kNoLimitUnderAsan;
    const Picture skin = pattern(256, 256, Pattern::Noise);
    // Address space from too little for the arena to enough for everything, in steps that fall
    // in every stage of the reduction.
    int reduced = 0, refused = 0;
    for (std::size_t extra = 256 * 1024; extra <= 12 * 1024 * 1024; extra += 512 * 1024) {
        SCOPED_TRACE(std::to_string(extra / 1024) + " KiB");
        const childtest::Outcome outcome = childtest::runInChild([&](std::string& report) {
            report.reserve(1024); // the report itself must not need memory
            // Large blocks from new address space, as in a new process, however much the heap
            // kept of what earlier tests freed.
            ::mallopt(M_MMAP_THRESHOLD, 128 * 1024);
            if (!childtest::limitAddressSpaceTo(extra)) return 3;
            const auto result = core::reduceColours(skin, 0);
            report = result.message();
            return result ? 0 : result.status().isOutOfMemory() ? 1 : 2;
        });
        ASSERT_TRUE(outcome.exited(0) || outcome.exited(1))
            << "exit " << outcome.exitCode << ", signal " << outcome.signal << ": " << outcome.report;
        if (outcome.exited(1)) {
            EXPECT_EQ(outcome.report, "not enough memory to reduce its colours.");
        }
        (outcome.exited(0) ? reduced : refused) += 1;
    }
    // Both ends were reached.
    EXPECT_GT(reduced, 0);
    EXPECT_GT(refused, 0);
}

} // namespace
