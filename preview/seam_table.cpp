// The seams of the mannequin as data: which skin columns meet, along which rows, and which way to
// turn the body to face them. The sides of the torso run on down the outsides of the legs; each
// leg has a second seam on its inside, where its back half meets its front half; both arms wear
// the one arm strip, so they share its seam, on the inside of the arm towards the back.

#include "core/skin_layout.h"
#include "preview/seams.h"

namespace preview {
namespace {

using core::kArmRight, core::kBackRight, core::kBackLegSplit, core::kFrontLegSplit, core::kLegsTop,
    core::kSkinSize;
using core::lastBefore;

constexpr int kBackLast = lastBefore(kBackRight); // the back half's last column, on the body's right
constexpr int kBodyLast = lastBefore(kSkinSize);  // the front half's last column, on the body's left
constexpr int kArmLast = lastBefore(kArmRight);

// Both sides of each seam: the column next to it and the way the skin runs on from there.
constexpr SeamSide kBackRightEdge{kBackLast, -1}, kFrontRightEdge{kBackRight, +1};
constexpr SeamSide kFrontLeftEdge{kBodyLast, -1}, kBackLeftEdge{kArmRight, +1};
constexpr SeamSide kRightLegBackInside{kBackLegSplit, +1},
    kRightLegFrontInside{lastBefore(kFrontLegSplit), -1};
constexpr SeamSide kLeftLegFrontInside{kFrontLegSplit, +1}, kLeftLegBackInside{lastBefore(kBackLegSplit), -1};
constexpr SeamSide kArmStripRight{kArmLast, -1}, kArmStripLeft{0, +1};

// The views: the sides from 40 degrees behind, past the arm that hangs over them; the inside of a
// leg from 30 degrees off the front, past the other leg; the arms' seams from behind.
// clang-format off
constexpr SeamSpec kSeams[] = {
    {"torsoRight", "torso, right side", kBackRightEdge, kFrontRightEdge, 0, kLegsTop, 240},
    {"torsoLeft", "torso, left side", kFrontLeftEdge, kBackLeftEdge, 0, kLegsTop, 120},
    {"rightLegOuter", "right leg, outside", kBackRightEdge, kFrontRightEdge, kLegsTop, kSkinSize, 250},
    {"rightLegInner", "right leg, inside", kRightLegBackInside, kRightLegFrontInside, kLegsTop, kSkinSize, 30},
    {"leftLegOuter", "left leg, outside", kFrontLeftEdge, kBackLeftEdge, kLegsTop, kSkinSize, 110},
    {"leftLegInner", "left leg, inside", kLeftLegFrontInside, kLeftLegBackInside, kLegsTop, kSkinSize, 330},
    {"arms", "arms", kArmStripRight, kArmStripLeft, 0, kSkinSize, 180},
};
// clang-format on
static_assert(std::size(kSeams) == 7, "two torso sides, two seams per leg, one for both arms");

} // namespace

std::span<const SeamSpec> allSeams() {
    return kSeams;
}

} // namespace preview
