#pragma once
// Colours alike as the eye sees them, for the retouching fill and replace: a colour counts as
// the picked one when their CIEDE2000 difference is within a tolerance (about 1 is just
// noticeable side by side; 0 takes the picked colour alone).

#include "core/retouch/fill.h"

namespace preview {

constexpr double kMaxTolerance = 100; // about the difference of black and white

// The colours within tolerance of picked. Each distinct colour is measured once, so a test
// asked about a whole skin costs little more than its distinct colours.
core::retouch::ColourTest likeColour(core::Rgb picked, double tolerance);

} // namespace preview
