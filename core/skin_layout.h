#pragma once
// Where the body lies in a skin: the layout the body pictures and masks are drawn to, the stamps
// paint into and the preview wraps round the mannequin. Columns and rows are pixel edges: a part
// from column a to column b covers pixels a to b - 1, so one part's right edge is the next one's
// left edge and lastBefore(b) is a part's last column.
//
//   columns 0-89     the arm strip: one arm, shoulder at the top, hand at the bottom
//   columns 90-255   the body area: the back half and the front half side by side
//   columns 90-172   the back half, seen from behind (the body's left side at column 90)
//   columns 173-255  the front half, seen from the front (the body's right side at column 173)
//   rows 0-81 torso, 82-125 hips, 126-237 legs, 238-255 feet (body area only); the torso's
//   garments reach down to about row 88, into the hips
//
// Below the hips each half holds two legs: on the back the left leg in columns 90-133 and the
// right leg in 134-172, meeting at the spine's column; on the front the right leg in 173-217
// and the left leg in 218-255, meeting at the navel's column.

namespace core {

// The side of a skin in pixels; a canvas is this size too.
constexpr int kSkinSize = 256;

// Column edges.
constexpr int kArmRight = 90;       // the arm strip's right edge, the body area's left
constexpr int kBackRight = 173;     // the back half's right edge, the front half's left
constexpr int kBackLegSplit = 134;  // between the back half's legs (the spine above them)
constexpr int kFrontLegSplit = 218; // between the front half's legs (the navel above them)

// Row edges, in the body area.
constexpr int kHipsTop = 82;  // the torso ends above this row
constexpr int kLegsTop = 126; // the hips end above this row
constexpr int kFeetTop = 238; // where the shoe strips are painted

// The body area runs from the arm strip to the skin's right edge.
constexpr int kBodyWidth = kSkinSize - kArmRight;

// The centre lines. The spine is a groove down the edge between the back's legs, two pixels
// wide (columns 133 and 134); the navel is one pixel in the first column of the front's left
// leg, and the breastbone and the line down the belly run down that column's middle.
constexpr int kSpineColumn = kBackLegSplit;
constexpr int kNavelColumn = kFrontLegSplit;
// Where the back faces straight behind and the front straight ahead, in column coordinates
// (pixel x spans x to x + 1).
constexpr double kBackMiddle = kSpineColumn;
constexpr double kFrontMiddle = kNavelColumn + 0.5;

// The last column (or row) of the part that ends at this edge.
constexpr int lastBefore(int edge) {
    return edge - 1;
}

} // namespace core
