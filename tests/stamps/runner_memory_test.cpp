// Running out of memory in the middle of a stamp ends that stamp with a message; the program
// goes on. Runs in a child process with almost no memory left.

#include <gtest/gtest.h>

#include "tests/child_process.h"
#include "tests/stamps/stamp_test_support.h"

namespace {

TEST(Runner, RunningOutOfMemoryEndsTheStampWithAMessage) {
    if (childtest::kAddressSanitizer) GTEST_SKIP() << childtest::kNoLimitUnderAsan;
    const childtest::Outcome outcome = childtest::runInChild([](std::string& report) {
        report.reserve(1024);
        stamps::Workspace workspace;
        // "Mask" ANDs what the source canvas shows onto the destination: it copies that image
        // (192 KiB) first, which no longer fits.
        if (!childtest::leaveOnlyMemory(64 * 1024)) return 3;
        const core::Status status = stamps_test::press(workspace, "Command94");
        report = status.message();
        return status.isOutOfMemory() ? 0 : 1;
    });
    EXPECT_TRUE(outcome.exited(0)) << "exit " << outcome.exitCode << ", signal " << outcome.signal;
    EXPECT_EQ(outcome.report, "There is not enough memory to finish the stamp.");
}

} // namespace
