#pragma once
// The 13 accessory pictures of the holder frmPics: shoe and boot strips, bare-midriff strips,
// two navel rings and a collar outline, in the holder's order.

#include <vector>

#include "tools/draw_library/drawn_picture.h"

namespace draw {

std::vector<DrawEntry> accessoryPictures();

} // namespace draw
