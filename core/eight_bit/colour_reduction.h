#pragma once
// Reducing a picture of many colours to a palette of at most 256, with libimagequant: the one
// place that talks to it.

#include <cstdint>
#include <vector>

#include "core/picture.h"
#include "core/status.h"

namespace core {

// libimagequant's speed, 1 (slowest, best) to 10. 7 is the slowest that reduces every
// stitched skin of `make bench` (up to 45,000 colours) well within 50 ms on a two-core machine;
// 6 adds feedback trials that take the most colourful skins to 50 ms for 0.2 dB more.
inline constexpr int kReductionSpeed = 7;

struct ReducedColours {
    std::vector<Rgb> palette;          // at most 256 entries
    std::vector<std::uint8_t> indices; // one a pixel, rows top to bottom
};

// Reduces at the highest quality. dithering: 0 (none, sharp edges kept) to 1 (full error
// diffusion). A failure's message is the reason alone, to follow "Cannot save skin.bmp: ".
// Runs on the calling thread alone, starting none, and may run on several threads at once.
Result<ReducedColours> reduceColours(const Picture& image, float dithering);

} // namespace core
