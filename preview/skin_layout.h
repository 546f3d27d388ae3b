#pragma once
// The skin layout as the zoom view shows it: the name of the part under a pixel and the lines
// between the parts. The layout's edges themselves are core's (core/skin_layout.h).

#include <span>
#include <string>

#include "core/skin_layout.h"

namespace preview {

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
