// The zoom view's names and lines for the parts of the skin layout.

#include "preview/skin_layout.h"

namespace preview {
namespace {

using core::kArmRight, core::kBackRight, core::kBackLegSplit, core::kFrontLegSplit;
using core::kHipsTop, core::kLegsTop, core::kFeetTop, core::kSkinSize;

constexpr LayoutLine kLines[] = {
    {true, kArmRight, 0, kSkinSize},             // arm strip | body area
    {true, kBackRight, 0, kSkinSize},            // back half | front half
    {true, kBackLegSplit, kLegsTop, kSkinSize},  // the back's two legs
    {true, kFrontLegSplit, kLegsTop, kSkinSize}, // the front's two legs
    {false, kHipsTop, kArmRight, kSkinSize},     // torso | hips
    {false, kLegsTop, kArmRight, kSkinSize},     // hips | legs
    {false, kFeetTop, kArmRight, kSkinSize},     // legs | feet
};

} // namespace

std::string regionName(int x, int y) {
    if (x < kArmRight) return "arm strip";
    const bool back = x < kBackRight;
    const std::string half = back ? "back, " : "front, ";
    if (y < kHipsTop) return half + "torso";
    if (y < kLegsTop) return half + "hips";
    // The back shows the left leg on its left, the front the right leg on its left.
    const bool left = back ? x < kBackLegSplit : x >= kFrontLegSplit;
    return half + (left ? "left " : "right ") + (y < kFeetTop ? "leg" : "foot");
}

std::span<const LayoutLine> layoutLines() {
    return kLines;
}

} // namespace preview
