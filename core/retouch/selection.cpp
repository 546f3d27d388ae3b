// Copy, flip and paste rectangles of pixels.

#include "core/retouch/selection.h"

namespace core::retouch {

Raster copyArea(const Raster& raster, const Rect& area) {
    const Rect inside = area.within(raster.bounds());
    Raster piece(inside.width, inside.height, Rgb{});
    for (int y = 0; y < inside.height; ++y)
        for (int x = 0; x < inside.width; ++x)
            piece.setPixel(x, y, raster.pixel(inside.left + x, inside.top + y));
    return piece;
}

Raster flipped(const Raster& piece, Flip flip) {
    Raster turned = piece;
    const int lastX = piece.width() - 1, lastY = piece.height() - 1;
    for (int y = 0; y <= lastY; ++y)
        for (int x = 0; x <= lastX; ++x)
            turned.setPixel(
                x, y, flip == Flip::Horizontally ? piece.pixel(lastX - x, y) : piece.pixel(x, lastY - y));
    return turned;
}

void paste(Raster& raster, const Raster& piece, Point at) {
    const Rect onto = Rect{at.x, at.y, piece.width(), piece.height()}.within(raster.bounds());
    for (int y = onto.top; y < onto.bottom(); ++y)
        for (int x = onto.left; x < onto.right(); ++x)
            raster.setPixel(x, y, piece.pixel(x - at.x, y - at.y));
}

} // namespace core::retouch
