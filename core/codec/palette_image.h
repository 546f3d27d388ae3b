#pragma once
// A palette image to be written: a palette and one index a pixel, what the palette files
// (8-bit BMP, palette PNG) are written from.

#include <cstdint>
#include <vector>

#include "core/palette.h"

namespace core {

// Palette indices to be written: width * height of them, rows top to bottom.
struct PaletteImage {
    int width = 0;
    int height = 0;
    std::vector<Rgb> palette;
    std::vector<std::uint8_t> indices;
};

} // namespace core
