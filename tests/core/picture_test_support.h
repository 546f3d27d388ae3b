#pragma once
// Pictures whose pixels tell where they came from, for the tests of every level: a misplaced,
// scaled or swapped pixel shows its source place in its colour.

#include <cstdint>
#include <vector>

#include "core/picture.h"

namespace picturetest {

// Pixel (x, y) is (x mod 256, y mod 256, tag + which 256-block it lies in: 1 for x >= 256, 2
// for y >= 256). tag should be a multiple of 4, so that the blocks of two tags never meet.
inline core::Picture coordinatePicture(int width, int height, std::uint8_t tag) {
    std::vector<std::uint8_t> rgb;
    rgb.reserve(std::size_t(width) * std::size_t(height) * 3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            rgb.insert(rgb.end(), {std::uint8_t(x), std::uint8_t(y),
                                   std::uint8_t(tag + (x >= 256 ? 1 : 0) + (y >= 256 ? 2 : 0))});
    return core::Picture(width, height, std::move(rgb));
}

} // namespace picturetest
