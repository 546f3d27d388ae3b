#pragma once
// Helpers for the stamp tests: pictures whose pixels tell where they came from, pressing a
// button by control name, and whole-canvas comparisons that name the first wrong pixel.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "stamps/runner.h"
#include "tests/core/picture_test_support.h"

namespace stamps_test {

using picturetest::coordinatePicture;

// Tags of the pictures the tests load: any pixel shows which picture it came from.
constexpr std::uint8_t kSourceTag = 8;
constexpr std::uint8_t kTargetTag = 200;

inline core::Status press(stamps::Workspace& workspace, const std::string& name) {
    const stamps::ButtonSpec* button = stamps::findButton(name);
    if (button == nullptr) return core::Status::error("test: no button " + name);
    return stamps::runButton(*button, workspace);
}

inline std::string describe(core::Rgb c) {
    return "(" + std::to_string(c.r) + ", " + std::to_string(c.g) + ", " + std::to_string(c.b) + ")";
}

// Whether every pixel of the canvas is what `expected` says; the message names the first
// pixel that is not and how many are wrong.
inline ::testing::AssertionResult canvasIs(const core::Canvas& canvas,
                                           const std::function<core::Rgb(int x, int y)>& expected) {
    int wrong = 0;
    std::string first;
    for (int y = 0; y < core::kSkinSize; ++y)
        for (int x = 0; x < core::kSkinSize; ++x) {
            const core::Rgb want = expected(x, y);
            const core::Rgb got = canvas.pixel(x, y);
            if (got == want) continue;
            if (wrong++ == 0)
                first = "pixel (" + std::to_string(x) + ", " + std::to_string(y) + ") is " + describe(got) +
                        ", expected " + describe(want);
        }
    if (wrong == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << wrong << " pixels differ; first: " << first;
}

inline ::testing::AssertionResult sameImage(const core::Canvas& a, const core::Canvas& b) {
    return canvasIs(a, [&](int x, int y) { return b.pixel(x, y); });
}

// A canvas rectangle, columns x0..x1 and rows y0..y1 inclusive.
struct Area {
    int x0, x1, y0, y1;
    bool contains(int x, int y) const { return x >= x0 && x <= x1 && y >= y0 && y <= y1; }
};

// The whole canvas, unscaled: for painting fixtures straight into a canvas.
inline core::PaintArgs wholeCanvas() {
    core::PaintArgs args;
    args.width1 = 256;
    args.height1 = 256;
    return args;
}

} // namespace stamps_test
