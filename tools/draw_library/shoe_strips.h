#pragma once
// The feet strips: shoes drawn on a white ground (combined with the skin by AND) and boots that
// cover their whole strip. All are 166 columns wide with two feet on each half.

#include "tools/draw_library/drawn_picture.h"

namespace draw {

// 166 x 19, 24-bit: exactly 368 white pixels above the shoes' wavy upper edge.
DrawnPicture drawSneakers(core::Rgb upper);
// 166 x 19, 24-bit: exactly 729 white pixels above rounded tops.
DrawnPicture drawHighHeels();
// 166 x 13, 24-bit: exactly 797 white pixels.
DrawnPicture drawSandals();
// 166 x 23, 8-bit, no white.
DrawnPicture drawSmallBoots(core::Rgb leather);
// 166 x 71, 24-bit, no white.
DrawnPicture drawBigBoots();

} // namespace draw
