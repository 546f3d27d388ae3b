// A failure keeps its kind however much context it is given, so a front end can act on the
// kind (the exit code, a message box for want of memory) far from where the failure began.

#include <gtest/gtest.h>

#include "core/status.h"

namespace {

using Kind = core::Status::Kind;

TEST(Status, ContextGoesBeforeTheReasonAndKeepsTheKind) {
    const struct {
        core::Status failure;
        Kind kind;
    } cases[] = {
        {core::Status::usage("there is nothing to undo."), Kind::Usage},
        {core::Status::input("it is not a BMP file."), Kind::Input},
        {core::Status::output("No space left on device."), Kind::Output},
        {core::Status::outOfMemory("not enough memory to open it."), Kind::Memory},
        {core::Status::error("no source skin is loaded."), Kind::Operation},
    };
    for (const auto& c : cases) {
        const core::Status inner = c.failure.withContext("Cannot open a.bmp");
        const core::Status outer = inner.withContext("Bikini failed");
        EXPECT_EQ(outer.kind(), c.kind) << c.failure.message();
        EXPECT_FALSE(outer);
        EXPECT_EQ(outer.message(), "Bikini failed: Cannot open a.bmp: " + c.failure.message());
    }
    EXPECT_TRUE(core::Status::outOfMemory("x").withContext("Cannot save a.bmp").isOutOfMemory());
}

TEST(Status, SuccessTakesNoContext) {
    const core::Status ok = core::Status::ok().withContext("Cannot save a.bmp");
    EXPECT_TRUE(ok);
    EXPECT_EQ(ok.kind(), Kind::Ok);
    EXPECT_EQ(ok.message(), "");
}

} // namespace
