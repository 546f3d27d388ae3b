#pragma once
// Where the body lies in a skin: the layout the body pictures are drawn to and the stamps paint
// into. Columns and rows are pixel edges: a part from column a to column b covers pixels
// a to b - 1.
//
//   columns 0-89     the arm strip: one arm, shoulder at the top, hand at the bottom
//   columns 90-172   the back half, seen from behind (the body's left side at column 90)
//   columns 173-255  the front half, seen from the front (the body's right side at column 173)
//   rows 0-81 torso, 82-125 hips, 126-237 legs, 238-255 feet (body area only)
//
// Below the hips each half holds two legs: on the back the left leg in columns 90-133 and the
// right leg in 134-172, meeting at the spine's column; on the front the right leg in 173-217
// and the left leg in 218-255, meeting at the navel's column.

#include <span>
#include <string>

namespace preview {

constexpr int kSkinSize = 256;
constexpr int kArmRight = 90;       // the arm strip's right edge, the body area's left
constexpr int kBackRight = 173;     // the back half's right edge, the front half's left
constexpr int kBackLegSplit = 134;  // between the back half's legs (the spine above them)
constexpr int kFrontLegSplit = 218; // between the front half's legs (the navel above them)

constexpr int kHipsTop = 82;  // the torso reaches about row 88; the hips start here
constexpr int kLegsTop = 126; // the torso and hips end above this row
constexpr int kFeetTop = 238; // where the shoe strips are painted

// "arm strip", "back, torso", "front, left leg", "back, right foot": where a skin pixel lies.
// x and y are inside the skin.
std::string regionName(int x, int y);

// A line of the layout for drawing over the skin: a vertical line at column edge `at` from row
// `from` to row `to`, or a horizontal one at row edge `at` from column `from` to `to`.
struct LayoutLine {
    bool vertical;
    int at, from, to;
};
std::span<const LayoutLine> layoutLines();

} // namespace preview
