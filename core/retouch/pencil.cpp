// Pencil dabs and lines.

#include "core/retouch/pencil.h"

#include <cstdlib>

namespace core::retouch {

Rect dabSquare(Point at, int size) {
    return {at.x - size / 2, at.y - size / 2, size, size};
}

void dab(Raster& raster, Point at, int size, Rgb colour) {
    raster.fill(dabSquare(at, size), colour);
}

void line(Raster& raster, Point from, Point to, int size, Rgb colour) {
    const int dx = std::abs(to.x - from.x), dy = -std::abs(to.y - from.y);
    const int stepX = from.x < to.x ? 1 : -1, stepY = from.y < to.y ? 1 : -1;
    int error = dx + dy;
    for (Point p = from;;) {
        dab(raster, p, size, colour);
        if (p == to) return;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            p.x += stepX;
        }
        if (twice <= dx) {
            error += dx;
            p.y += stepY;
        }
    }
}

} // namespace core::retouch
