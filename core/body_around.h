#pragma once
// How the body area wraps round the body: the skin's columns laid round the torso (rows above
// kLegsTop) and round each leg (rows from kLegsTop down), piece by piece, each piece's columns
// spread evenly over its angles. Angles are degrees round the part's own upright axis, seen
// from above: 0 faces the front, 90 the body's left side, 180 the back and 270 its right side;
// a piece may run on past 360, as the skin runs on round the same part. The mannequin is built
// on these pieces, and the mirror finds a pixel's mirror image through them.

#include "core/skin_layout.h"

namespace core {

// Columns fromColumn to toColumn (pixel edges) spread evenly over the angles fromAngle to
// toAngle (fromAngle < toAngle).
struct AroundPiece {
    float fromColumn, toColumn;
    float fromAngle, toAngle;
};

// The torso's circumference: the back half from the body's left side round the spine (straight
// behind) to its right side, the front half from there round the navel's column (straight
// ahead) back to the left side. Neither middle is the middle of its half, so the two sides of
// the body take different numbers of columns.
inline constexpr AroundPiece kTorsoAround[] = {{kArmRight, float(kBackMiddle), 90, 180},
                                               {float(kBackMiddle), kBackRight, 180, 270},
                                               {kBackRight, float(kFrontMiddle), 270, 360},
                                               {float(kFrontMiddle), kSkinSize, 360, 450}};

// Each leg takes the columns of its own back and front, its back and front middles facing
// straight behind and ahead, its inner seam facing the other leg and its outer seam continuing
// the torso's side seam. The right leg runs from its inner side (facing the body's left) round
// the back to the outside and round the front back in; the left leg likewise from the front.
inline constexpr float kRightLegBackMiddle = (kBackLegSplit + kBackRight) / 2.0f;
inline constexpr float kRightLegFrontMiddle = (kBackRight + float(kFrontMiddle)) / 2;
inline constexpr AroundPiece kRightLegAround[] = {{kBackLegSplit, kRightLegBackMiddle, 90, 180},
                                                  {kRightLegBackMiddle, kBackRight, 180, 270},
                                                  {kBackRight, kRightLegFrontMiddle, 270, 360},
                                                  {kRightLegFrontMiddle, kFrontLegSplit, 360, 450}};
inline constexpr float kLeftLegFrontMiddle = (float(kFrontMiddle) + kSkinSize) / 2;
inline constexpr float kLeftLegBackMiddle = (kArmRight + kBackLegSplit) / 2.0f;
inline constexpr AroundPiece kLeftLegAround[] = {{kFrontLegSplit, kLeftLegFrontMiddle, 270, 360},
                                                 {kLeftLegFrontMiddle, kSkinSize, 360, 450},
                                                 {kArmRight, kLeftLegBackMiddle, 450, 540},
                                                 {kLeftLegBackMiddle, kBackLegSplit, 540, 630}};

} // namespace core
