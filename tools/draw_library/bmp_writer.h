#pragma once
// Writes a drawn picture as the complete uncompressed BMP file the program carries, through the
// codec's own writer: a palette of 2 or 256 entries (none for 24-bit), its colours-used field 0.

#include <cstdint>
#include <vector>

#include "tools/draw_library/drawn_picture.h"

namespace draw {

// The file's bytes. The picture must be consistent: indices or pixels of width * height and a
// palette of 2 (1-bit) or 256 (8-bit) entries; anything else is a drawing fault and throws.
std::vector<std::uint8_t> encodeDrawnBmp(const DrawnPicture& picture);

} // namespace draw
