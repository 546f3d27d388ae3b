#pragma once
// A library picture as the drawing program makes it, before it is written as a BMP file:
// 1-bit and 8-bit pictures keep palette indices, 24-bit pictures their colours.

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "core/picture.h"

namespace draw {

struct DrawnPicture {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 24;             // 1, 8 or 24
    std::vector<core::Rgb> palette;    // 2 entries for 1-bit, 256 for 8-bit, none for 24-bit
    std::vector<std::uint8_t> indices; // palette formats: width * height, rows top to bottom
    std::vector<core::Rgb> pixels;     // 24-bit: width * height, rows top to bottom
};

// One drawable library image: its name ("imgBodySuit") and the function that draws it.
struct DrawEntry {
    std::string_view name;
    std::function<DrawnPicture()> draw;
};

} // namespace draw
