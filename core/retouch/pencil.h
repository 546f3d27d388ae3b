#pragma once
// The pencil: square dabs of one colour, 1 to 8 pixels a side, and straight lines of them, as a
// pixel editor's pencil draws them (no smoothing, no blending). Whatever reaches past the
// raster's edges is left out.

#include "core/retouch/raster.h"

namespace core::retouch {

constexpr int kMinPencilSize = 1, kMaxPencilSize = 8;

// The square a dab at `at` covers: `at` is its middle pixel, or for an even size the lower
// right of its middle four.
Rect dabSquare(Point at, int size);

// Paints the dab's square, the part of it on the raster.
void dab(Raster& raster, Point at, int size, Rgb colour);

// Dabs at every pixel of the line from `from` to `to`, both ends included, one dab a step along
// the longer axis (Bresenham's line); the part changed.
void line(Raster& raster, Point from, Point to, int size, Rgb colour);

} // namespace core::retouch
