#pragma once
// Tidying a made mask: a garment found pixel by pixel has stray specks where a bare pixel
// happened to differ from the body (a dithered pixel of an 8-bit save, a stray brush mark) and
// holes where a garment pixel happened to match the body's colour. Areas of either kind no
// larger than kTidyPixels are cleaned away; larger areas stay as they are.
//
// An area is a set of pixels of one kind joined at their sides or corners (8-connected), so a
// thin strap drawn on the diagonal is one area, not a row of specks. First every garment area of
// at most kTidyPixels pixels becomes bare skin, then every bare area of at most kTidyPixels
// pixels (a hole, since a bare area is bounded by garment and the skin's edges) becomes garment.

#include "core/mask/garment_map.h"

namespace core {

// The largest area, in pixels, that tidying cleans away: a lone pixel. The library's own masks
// hold areas of two pixels that are meant (the navel showing through the corsets, the lace dots
// of the thong), which a larger size would erase, while the specks the 8-bit save leaves at the
// default tolerance are lone pixels (bench/mask_tolerance.cpp measures both).
inline constexpr int kTidyPixels = 1;

struct TidyCounts {
    int specksCleared = 0; // garment areas that became bare skin
    int holesFilled = 0;   // bare areas that became garment
};

// largest: the largest area cleaned away, kTidyPixels unless a measurement asks otherwise.
TidyCounts tidyMask(GarmentMap& map, int largest = kTidyPixels);

} // namespace core
