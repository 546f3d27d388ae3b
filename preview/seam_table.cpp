// The seams of the mannequin as data: which skin columns meet, along which rows, and which way to
// turn the body to face them. The sides of the torso run on down the outsides of the legs; each
// leg has a second seam on its inside, where its back half meets its front half; both arms wear
// the one arm strip, so they share its seam, on the inside of the arm towards the back.

#include "preview/seams.h"
#include "preview/skin_layout.h"

namespace preview {
namespace {

constexpr int kBackLast = kBackRight - 1;   // the back half's last column, on the body's right
constexpr int kBodyLast = kSkinSize - 1;    // the front half's last column, on the body's left
constexpr int kArmLast = kArmRight - 1;

constexpr SeamSide kBackRightEdge{kBackLast, -1}, kFrontRightEdge{kBackRight, +1};
constexpr SeamSide kFrontLeftEdge{kBodyLast, -1}, kBackLeftEdge{kArmRight, +1};

// The views face each seam; the inside of a leg is seen from the front, past the other leg.
constexpr SeamSpec kSeams[] = {
    {"torsoRight", "torso, right side", kBackRightEdge, kFrontRightEdge, 0, kLegsTop, 270},
    {"torsoLeft", "torso, left side", kFrontLeftEdge, kBackLeftEdge, 0, kLegsTop, 90},
    {"rightLegOuter", "right leg, outside", kBackRightEdge, kFrontRightEdge, kLegsTop, kSkinSize, 270},
    {"rightLegInner", "right leg, inside", {kBackLegSplit, +1}, {kFrontLegSplit - 1, -1}, kLegsTop, kSkinSize, 30},
    {"leftLegOuter", "left leg, outside", kFrontLeftEdge, kBackLeftEdge, kLegsTop, kSkinSize, 90},
    {"leftLegInner", "left leg, inside", {kFrontLegSplit, +1}, {kBackLegSplit - 1, -1}, kLegsTop, kSkinSize, 330},
    {"arms", "arms", {kArmLast, -1}, {0, +1}, 0, kSkinSize, 180},
};
static_assert(std::size(kSeams) == 7, "two torso sides, two seams per leg, one for both arms");

} // namespace

std::span<const SeamSpec> allSeams() {
    return kSeams;
}

} // namespace preview
