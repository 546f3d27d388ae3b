#pragma once
// Fill and replace: the pixels of one colour given another. Which colours count as the one
// picked is the caller's choice (exactly it, or any within a tolerance), given as a test.

#include <functional>

#include "core/retouch/raster.h"

namespace core::retouch {

// Whether a colour counts as the picked one.
using ColourTest = std::function<bool(Rgb)>;

// Only the colour itself.
ColourTest exactly(Rgb picked);

// Paints `colour` over the area of pixels that `like` accepts and that joins `at` through
// pixels of the area to its left, right, top or bottom (never corner to corner). Nothing when
// `like` refuses the pixel at `at`, which lies inside the raster.
void fill(Raster& raster, Point at, Rgb colour, const ColourTest& like);

// Paints `colour` over every pixel that `like` accepts.
void replace(Raster& raster, Rgb colour, const ColourTest& like);

} // namespace core::retouch
