#pragma once
// Every picture of the image library as drawn: the outfit masks, the bare bodies and the
// accessories, gathered in the library's order (core::ImageId).

#include <vector>

#include "tools/draw_library/drawn_picture.h"
#include "tools/draw_library/masks.h"

namespace draw {

// All 54, entry i drawing core::ImageId(i). A picture missing from the drawings, drawn twice or
// unknown to the library is a fault of the drawing code and throws std::logic_error naming it.
std::vector<DrawEntry> libraryPictures();

// A mask as stored: 1-bit with entry 0 black and entry 1 white, or 24-bit with the same two
// colours when trueColour is set (imgBimbo).
DrawnPicture maskPicture(const MaskGrid& grid, bool trueColour);

} // namespace draw
