// The history of edits: each kind of step undone and redone to the exact pixels and pictures,
// marks left alone, failed stamps kept out, the bound, and canvases changed behind its back.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "stamp_test_support.h"
#include "stamps/edits.h"

namespace {

using stamps::CanvasId;
using namespace stamps_test;

// Everything a step may change: both loaded pictures and both shown images.
struct State {
    core::Picture sourcePicture, targetPicture;
    std::vector<std::uint8_t> sourceImage, targetImage;

    static State of(const stamps::Workspace& w) {
        auto bytes = [](const core::Canvas& c) {
            return std::vector<std::uint8_t>(c.imageSpan().begin(), c.imageSpan().end());
        };
        return {w.picSource.picture(), w.picTarget.picture(), bytes(w.picSource), bytes(w.picTarget)};
    }
    bool operator==(const State& o) const {
        return sourcePicture.isSameAs(o.sourcePicture) && targetPicture.isSameAs(o.targetPicture) &&
               sourceImage == o.sourceImage && targetImage == o.targetImage;
    }
};

core::Status pressed(stamps::Workspace& w, const std::string& name) {
    return stamps::pressButton(*stamps::findButton(name), w);
}

// A workspace with a skin in each canvas, loaded as steps.
struct HistoryTest : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(
            stamps::openPicture(w, CanvasId::picSource, coordinatePicture(256, 256, kSourceTag), "a.bmp"));
        ASSERT_TRUE(
            stamps::openPicture(w, CanvasId::picTarget, coordinatePicture(256, 256, kTargetTag), "b.bmp"));
    }
    stamps::Workspace w;
};

struct StepCase {
    const char* what;
    std::function<void(stamps::Workspace&)> edit;
    const char* undoName;
};

TEST_F(HistoryTest, EachKindOfStepUndoesAndRedoesToTheExactState) {
    const StepCase cases[] = {
        // Paints both canvases: the mask into the source, white into the destination.
        {"outfit mask", [](stamps::Workspace& w) { ASSERT_TRUE(pressed(w, "Command56")); }, "Bikini 402"},
        {"band copy",
         [](stamps::Workspace& w) {
             w.marker.mark(40);
             w.marker.mark(90);
             ASSERT_TRUE(pressed(w, "Command39"));
         },
         "Top"},
        {"Mask", [](stamps::Workspace& w) { ASSERT_TRUE(pressed(w, "Command94")); }, "Mask"},
        {"load over a painted canvas",
         [](stamps::Workspace& w) {
             ASSERT_TRUE(stamps::openPicture(w, CanvasId::picTarget,
                                             core::Picture::filled(300, 200, {1, 2, 3}), "c.bmp"));
         },
         "Open c.bmp"},
    };
    for (const StepCase& c : cases) {
        SCOPED_TRACE(c.what);
        w = stamps::Workspace();
        SetUp();
        // Earlier steps, so the step undone is not the first and finds a painted canvas.
        ASSERT_TRUE(stamps::openPicture(w, CanvasId::picSource, coordinatePicture(256, 256, 12), "d.bmp"));
        w.marker.mark(0);
        w.marker.mark(0);
        ASSERT_TRUE(pressed(w, "Command39")); // row 0 from the source
        const State before = State::of(w);
        c.edit(w);
        const State after = State::of(w);
        ASSERT_FALSE(after == before);
        EXPECT_EQ(w.history.undoName(), c.undoName);

        ASSERT_TRUE(stamps::undo(w));
        EXPECT_TRUE(State::of(w) == before);
        EXPECT_EQ(w.history.redoName(), c.undoName);
        ASSERT_TRUE(stamps::redo(w));
        EXPECT_TRUE(State::of(w) == after);
        // And back again: one delta serves both ways any number of times.
        ASSERT_TRUE(stamps::undo(w));
        ASSERT_TRUE(stamps::redo(w));
        EXPECT_TRUE(State::of(w) == after);
    }
}

TEST_F(HistoryTest, UndoWalksBackToTheEmptyCanvasesAndMarksStayAsTheyAre) {
    const State empty = State::of(stamps::Workspace());
    ASSERT_TRUE(pressed(w, "Command56"));
    w.marker.mark(12);
    w.marker.mark(34);
    ASSERT_TRUE(stamps::undo(w)); // the stamp, not the marks
    ASSERT_TRUE(stamps::undo(w)); // Open b.bmp
    ASSERT_TRUE(stamps::undo(w)); // Open a.bmp
    EXPECT_FALSE(stamps::undo(w));
    EXPECT_FALSE(w.history.canUndo());
    EXPECT_EQ(w.history.undoName(), "");
    EXPECT_TRUE(State::of(w) == empty);
    EXPECT_EQ(w.marker.lastCaption(), "34");
    EXPECT_EQ(w.marker.previousCaption(), "12");
}

TEST_F(HistoryTest, AFailedStampThatPaintedNothingAddsNoStep) {
    stamps::Workspace fresh; // no source skin: the band copy fails before it paints
    ASSERT_TRUE(
        stamps::openPicture(fresh, CanvasId::picTarget, coordinatePicture(256, 256, kTargetTag), "b.bmp"));
    EXPECT_FALSE(pressed(fresh, "Command39"));
    EXPECT_EQ(fresh.history.stepCount(), 1u);
    EXPECT_EQ(fresh.history.undoName(), "Open b.bmp");
}

// A press that runs is a step even when it changes no pixel, so that undo takes back the press
// the user made, not the step before it.
TEST(HistoryNoChange, APressThatChangesNothingIsAStepWhoseUndoAndRedoChangeNothing) {
    struct Case {
        const char* what;
        const char* button;
        int sourceSide; // of the source skin loaded
        const char* caption;
    };
    const Case cases[] = {
        {"a button with no paint steps", "Command69", 256, "All Top"},
        {"the lower +", "Command18", 256, "+"},
        // The skirt's region lies outside a small source picture: nothing to copy from.
        {"a copy from a small source picture", "Command1", 16, "Miniskirt 200/69/24"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        stamps::Workspace w;
        ASSERT_TRUE(stamps::openPicture(w, CanvasId::picSource,
                                        coordinatePicture(c.sourceSide, c.sourceSide, kSourceTag), "a.bmp"));
        ASSERT_TRUE(
            stamps::openPicture(w, CanvasId::picTarget, coordinatePicture(256, 256, kTargetTag), "b.bmp"));
        const State loaded = State::of(w);
        const std::size_t bytes = w.history.memoryBytes();

        ASSERT_TRUE(pressed(w, c.button));
        EXPECT_TRUE(State::of(w) == loaded);
        EXPECT_EQ(w.history.stepCount(), 3u);
        EXPECT_EQ(w.history.undoName(), c.caption);
        // The step keeps its name and no image: far less than a canvas.
        EXPECT_GT(w.history.memoryBytes(), bytes);
        EXPECT_LT(w.history.memoryBytes(), bytes + 1024);

        ASSERT_TRUE(stamps::undo(w));
        EXPECT_TRUE(State::of(w) == loaded);
        EXPECT_EQ(w.history.undoName(), "Open b.bmp");
        EXPECT_EQ(w.history.redoName(), c.caption);
        ASSERT_TRUE(stamps::redo(w));
        EXPECT_TRUE(State::of(w) == loaded);
        ASSERT_TRUE(stamps::undo(w));
        ASSERT_TRUE(stamps::undo(w)); // now the load
        EXPECT_TRUE(w.picTarget.picture().isEmpty());

        // A new step drops the unchanging one that could have been redone, and its memory.
        ASSERT_TRUE(stamps::redo(w));
        ASSERT_TRUE(pressed(w, "Command94"));
        EXPECT_EQ(w.history.undoName(), "Mask");
        EXPECT_FALSE(w.history.canRedo());
    }
}

TEST_F(HistoryTest, ANewStepDropsWhatCouldBeRedone) {
    ASSERT_TRUE(pressed(w, "Command56"));
    ASSERT_TRUE(stamps::undo(w));
    ASSERT_TRUE(pressed(w, "Command94"));
    EXPECT_FALSE(w.history.canRedo());
    EXPECT_FALSE(stamps::redo(w));
    EXPECT_EQ(w.history.undoName(), "Mask");
}

TEST_F(HistoryTest, SwitchedOffItKeepsNothingAndEditsStillWork) {
    w.history.setEnabled(false);
    EXPECT_EQ(w.history.stepCount(), 0u);
    ASSERT_TRUE(pressed(w, "Command56"));
    EXPECT_FALSE(stamps::undo(w));
    EXPECT_EQ(w.history.memoryBytes(), 0u);
    EXPECT_EQ(w.picTarget.pixel(0, 0), (core::Rgb{255, 255, 255})); // outside the bikini: white
}

TEST_F(HistoryTest, ACanvasChangedBehindItsBackEmptiesTheHistoryInsteadOfScramblingIt) {
    ASSERT_TRUE(pressed(w, "Command56"));
    const State changed = [&] {
        w.picTarget.setPicture(core::Picture::filled(256, 256, {9, 9, 9}));
        return State::of(w);
    }();
    EXPECT_FALSE(stamps::undo(w));
    EXPECT_EQ(w.history.stepCount(), 0u);
    EXPECT_TRUE(State::of(w) == changed);
}

// When undo has nothing to take back, the history says why: nothing done, all undone, steps
// dropped for its bounds, a step too large to keep, or steps that no longer apply.
TEST(HistoryNothingToUndo, SaysWhy) {
    const auto load = [](stamps::Workspace& w, core::Picture picture, const std::string& name) {
        ASSERT_TRUE(stamps::openPicture(w, CanvasId::picTarget, std::move(picture), name));
    };
    const auto undoAll = [](stamps::Workspace& w) {
        while (stamps::undo(w)) {
        }
    };
    struct Case {
        const char* what;
        std::function<void(stamps::Workspace&)> edits;
        const char* says;
    };
    const Case cases[] = {
        {"nothing done", [](stamps::Workspace&) {},
         "only loads and presses can be undone, and none was done"},
        {"everything undone",
         [&](stamps::Workspace& w) {
             load(w, coordinatePicture(256, 256, kTargetTag), "b.bmp");
             undoAll(w);
         },
         "every step was undone already"},
        // Every pixel of a 4800 x 4800 picture: 69 MB, more than the whole history holds. The
        // steps before it are gone too, since they could be undone only past it.
        {"a load too large to keep",
         [&](stamps::Workspace& w) {
             load(w, coordinatePicture(256, 256, kTargetTag), "b.bmp");
             load(w, core::Picture::filled(4800, 4800, {1, 2, 3}), "big.bmp");
             EXPECT_EQ(w.history.stepCount(), 0u);
             EXPECT_EQ(w.history.memoryBytes(), 0u);
         },
         "\"Open big.bmp\" was too large to keep: the history holds at most 64 MB"},
        {"a later step undone down to one too large",
         [&](stamps::Workspace& w) {
             load(w, core::Picture::filled(4800, 4800, {1, 2, 3}), "big.bmp");
             ASSERT_TRUE(pressed(w, "Command94")); // a stamp keeps only what it painted
             undoAll(w);
             EXPECT_EQ(w.picTarget.pixel(0, 0), (core::Rgb{1, 2, 3}));
         },
         "\"Open big.bmp\" was too large to keep: the history holds at most 64 MB"},
        {"older steps dropped for memory",
         [&](stamps::Workspace& w) {
             for (int i = 0; i < 12; ++i)
                 load(w, core::Picture::filled(1500, 1500, {std::uint8_t(i), 0, 0}),
                      "big" + std::to_string(i));
             undoAll(w);
         },
         "the older steps were dropped to keep the history within 64 MB"},
        {"older steps dropped for their count",
         [&](stamps::Workspace& w) {
             for (std::size_t i = 0; i <= stamps::History::kMaxSteps; ++i)
                 load(w, core::Picture::filled(1, 1, {std::uint8_t(i), 0, 0}), "tiny");
             undoAll(w);
         },
         "only the last 1000 steps are kept"},
        {"a canvas changed outside the history",
         [&](stamps::Workspace& w) {
             load(w, coordinatePicture(256, 256, kTargetTag), "b.bmp");
             w.picTarget.setPicture(core::Picture::filled(256, 256, {9, 9, 9}));
             EXPECT_FALSE(stamps::undo(w));
         },
         "a canvas was changed outside the history, so its steps no longer applied"},
        {"switched off",
         [&](stamps::Workspace& w) {
             w.history.setEnabled(false);
             load(w, coordinatePicture(256, 256, kTargetTag), "b.bmp");
         },
         "the history is switched off"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        stamps::Workspace w;
        c.edits(w);
        EXPECT_FALSE(w.history.canUndo());
        EXPECT_EQ(w.history.whyNothingToUndo(), c.says);
    }
    // While there is something to undo, there is no reason to give.
    stamps::Workspace w;
    load(w, coordinatePicture(256, 256, kTargetTag), "b.bmp");
    EXPECT_EQ(w.history.whyNothingToUndo(), "");
}

TEST(HistoryBound, KeepsAHundredStepsWithinItsMemoryAndDropsTheOldestFirst) {
    stamps::Workspace w;
    // Loads of flat skins of a new colour each: every byte of the image changes, and each step
    // also keeps the picture it replaced, the dearest 256 x 256 step there is.
    for (int i = 0; i < 150; ++i) {
        const std::uint8_t c = std::uint8_t(i % 2 ? i : 255 - i);
        ASSERT_TRUE(stamps::openPicture(w, CanvasId::picTarget, core::Picture::filled(256, 256, {c, c, c}),
                                        std::to_string(i)));
    }
    EXPECT_GE(w.history.stepCount(), 100u);
    EXPECT_LE(w.history.memoryBytes(), stamps::History::kMaxBytes);

    // Big pictures keep megabytes a step, so the bound, not the step count, decides.
    for (int i = 0; i < 12; ++i)
        ASSERT_TRUE(stamps::openPicture(w, CanvasId::picTarget,
                                        core::Picture::filled(1500, 1500, {std::uint8_t(i), 0, 0}),
                                        "big" + std::to_string(i)));
    EXPECT_LE(w.history.memoryBytes(), stamps::History::kMaxBytes);
    EXPECT_LT(w.history.stepCount(), 20u);
    EXPECT_EQ(w.history.undoName(), "Open big11");
    ASSERT_TRUE(stamps::undo(w));
    EXPECT_EQ(w.picTarget.pixel(0, 0), (core::Rgb{10, 0, 0}));
}

} // namespace
