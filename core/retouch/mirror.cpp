// The mirror, through the places of the columns round the body: a pixel's middle lies at an
// angle round the torso or its leg; its mirror image lies at the opposite angle (the body's
// left, 90 degrees, against its right, 270), round the torso again or round the other leg.

#include "core/retouch/mirror.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "core/body_around.h"

namespace core::retouch {
namespace {

using Pieces = std::span<const AroundPiece>;

// The angle of a column place (a pixel's middle is x + 0.5) round the part, in its pieces'
// own range (possibly past 360); the place lies within the pieces.
double angleAt(Pieces pieces, double column) {
    for (const AroundPiece& p : pieces)
        if (column >= p.fromColumn && column < p.toColumn)
            return p.fromAngle +
                   (column - p.fromColumn) / (p.toColumn - p.fromColumn) * (p.toAngle - p.fromAngle);
    return pieces.front().fromAngle;
}

// The pixel at an angle round the part, taken at any turn (-90 and 270 are one place).
int pixelAt(Pieces pieces, double angle) {
    for (const AroundPiece& p : pieces) {
        // The turn of the angle that falls in this piece's range, if any.
        const double turned = p.fromAngle + std::fmod(std::fmod(angle - p.fromAngle, 360) + 360, 360);
        if (turned >= p.toAngle) continue;
        const double column =
            p.fromColumn + (turned - p.fromAngle) / (p.toAngle - p.fromAngle) * (p.toColumn - p.fromColumn);
        // A place on a piece's far edge belongs to its last pixel.
        return std::min(int(std::floor(column)), int(std::ceil(p.toColumn)) - 1);
    }
    return int(pieces.front().fromColumn);
}

// Which side of the body an angle round the torso faces: the left from 0 to 180, the right from
// 180 to 360; none exactly ahead or behind.
bool faces(double angle, Side side) {
    const double a = std::fmod(std::fmod(angle, 360) + 360, 360);
    return side == Side::Left ? a > 0 && a < 180 : a > 180 && a < 360;
}

Side other(Side side) {
    return side == Side::Left ? Side::Right : Side::Left;
}

// Copies, in rows top to bottom - 1, every pixel of the target pieces that `isTarget` accepts
// from the pixel at its opposite angle round the source pieces.
template <typename IsTarget>
void copyMirrored(Raster& skin, int top, int bottom, Pieces target, Pieces source, IsTarget isTarget) {
    for (const AroundPiece& piece : target)
        for (int x = int(std::ceil(piece.fromColumn)); x < piece.toColumn; ++x) {
            const double angle = angleAt(target, x + 0.5);
            if (!isTarget(angle)) continue;
            const int from = pixelAt(source, -angle);
            for (int y = top; y < bottom; ++y)
                skin.setPixel(x, y, skin.pixel(from, y));
        }
}

} // namespace

void mirror(Raster& skin, Side copied) {
    const Side target = other(copied);
    // The torso and hips: round the one tube, from the copied side to the other.
    copyMirrored(skin, 0, kLegsTop, kTorsoAround, kTorsoAround,
                 [target](double angle) { return faces(angle, target); });
    // The legs: the copied side's leg onto the other leg, whole.
    const Pieces left = kLeftLegAround, right = kRightLegAround;
    copyMirrored(skin, kLegsTop, kSkinSize, target == Side::Left ? left : right,
                 target == Side::Left ? right : left, [](double) { return true; });
}

} // namespace core::retouch
