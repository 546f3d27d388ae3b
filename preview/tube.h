#pragma once
// Tubes: the parts of the mannequin (torso, legs, arms, neck and head) are each a tube whose
// cross-section changes from row to row of the skin and whose circumference is laid out over
// skin columns, so that the skin wraps around it the way the body pictures are drawn.

#include <functional>
#include <span>

#include "core/body_around.h"
#include "preview/mesh.h"

namespace preview {

// One stretch of the circumference: skin columns spread evenly over angles around the tube's
// axis, in degrees: 0 faces the front (+z), 90 the body's left (+x), 180 the back. A tube may
// take several pieces, each with its own columns, so a wrap-around seam or a middle that is not
// the half's centre is laid out exactly. The torso's and the legs' pieces are the skin
// layout's (core/body_around.h).
using ArcPiece = core::AroundPiece;

// The cross-section at one skin row: an ellipse around centre with half-widths rx across (x)
// and rz from back to front (z), or with squareness above 2 a rounded box between an ellipse
// and a rectangle (|x / rx|^n + |z / rz|^n = 1). The forward half (angles -90 to 90) reaches
// frontStretch times as far forward, which turns the bottom of a leg into a foot.
struct Ring {
    Vec3 centre;
    float rx = 0, rz = 0;
    float frontStretch = 1;
    float squareness = 2;
};

struct TubeSpec {
    std::span<const ArcPiece> around;
    float topRow, bottomRow; // skin rows (pixel edges) of the tube's top and bottom ends
    int rings;               // cross-sections from the top to the bottom end, at least 2
    float degreesPerSegment; // the largest angle one facet spans around the axis
    std::function<Ring(float row)> ring;
    bool capTop = false, capBottom = false; // close an end with a flat disc
};

// The tube's facets, textured from the skin at the rows and columns its shape gives.
Mesh tube(const TubeSpec& shape);

} // namespace preview
