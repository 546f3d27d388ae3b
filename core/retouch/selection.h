#pragma once
// The selection's operations: a rectangle of pixels copied out, flipped, and pasted back at any
// place, as a pixel editor's rectangle selection copies, moves and flips. Parts that would land
// off the raster are left out.

#include "core/retouch/raster.h"

namespace core::retouch {

// The pixels of the rectangle's part on the raster, as a raster of their own; that part is not
// empty.
Raster copyArea(const Raster& raster, const Rect& area);

enum class Flip { Horizontally, Vertically };
// The piece turned over: left to right, or top to bottom.
Raster flipped(const Raster& piece, Flip flip);

// The piece's pixels onto the raster, its top left corner at `at`.
void paste(Raster& raster, const Raster& piece, Point at);

} // namespace core::retouch
