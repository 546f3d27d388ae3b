#pragma once
// Making an outfit mask from a finished skin and the bare body its garment was painted on: every
// pixel whose colour differs from the body's is garment, every other pixel bare skin. Colours
// are compared as the eye sees them (CIEDE2000), so that what saving a skin as 8 bits does to
// its bare pixels (each moved to the nearest of 256 palette colours) still counts as bare
// skin; the mask is then tidied (mask_tidy.h).

#include "core/mask/garment_map.h"
#include "core/mask/mask_tidy.h"

namespace core {

// The colour difference (CIEDE2000) up to which a pixel counts as bare skin, measured
// (bench/mask_tolerance.cpp, on every library mask on every body): the 8-bit save moves a bare
// pixel by at most 3.2 (99.9 % of them by at most 1.0; full dithering moves a few lone pixels
// further, which tidying cleans away), and a garment cut from the bare body of the next tone
// lies 9.4 or more from the body under it at 99.9 % of its edge pixels. A colourful garment
// that passes through skin tones comes closer, so a larger tolerance would lose more of it.
inline constexpr double kDefaultMaskTolerance = 4.0;

struct MadeMask {
    Picture mask;          // black garment, white bare skin (garment_map.h)
    int garmentPixels = 0; // after tidying
    TidyCounts tidied;
};

// skin: the finished skin; body: the bare body it was painted on. Both are skin-sized (else an
// input failure with the reason of checkSkinSized, naming which); tolerance is at least 0.
Result<MadeMask> makeMask(const Picture& skin, const Picture& body, double tolerance = kDefaultMaskTolerance);

// The map before tidying: garment wherever the two pictures differ by more than tolerance.
// Both are skin-sized.
GarmentMap differingPixels(const Picture& skin, const Picture& body, double tolerance);

} // namespace core
