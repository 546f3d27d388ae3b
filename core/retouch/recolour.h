#pragma once
// Recolour: the hue, saturation and lightness of the pixels within an area shifted, so that a
// garment changes colour and keeps its folds and shading, and nothing outside it changes.

#include "core/retouch/pixel_area.h"
#include "core/retouch/raster.h"

namespace core::retouch {

// How far to shift. hue: degrees round the colour wheel, -180 to 180. saturation: percent, -100
// (grey) through 0 (as it is) to 100 (twice as saturated, at most full). lightness: percent,
// -100 (black) through 0 to 100 (white), each pixel moved that share of the way towards black
// or white.
struct HslShift {
    double hue = 0;
    double saturation = 0;
    double lightness = 0;
};
constexpr double kMaxHueShift = 180;
constexpr double kMaxPercentShift = 100;

// One colour shifted.
Rgb shifted(Rgb colour, const HslShift& shift);

// Shifts every pixel the area holds; the area has the raster's size.
void recolour(Raster& raster, const HslShift& shift, const PixelArea& within);

} // namespace core::retouch
