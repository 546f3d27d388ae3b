// Fill, a row at a time: each run of pixels found is painted whole, and the rows above and
// below it are searched for runs that touch it.

#include "core/retouch/fill.h"

#include <vector>

namespace core::retouch {

ColourTest exactly(Rgb picked) {
    return [picked](Rgb c) { return c == picked; };
}

void fill(Raster& raster, Point at, Rgb colour, const ColourTest& like) {
    const int width = raster.width(), height = raster.height();
    // Pixels already painted or refused, so that a colour the test also accepts is not
    // painted for ever.
    std::vector<bool> done(std::size_t(width) * std::size_t(height));
    const auto visit = [&](int x, int y) {
        const std::size_t i = std::size_t(y) * std::size_t(width) + std::size_t(x);
        if (done[i]) return false;
        done[i] = true;
        return like(raster.pixel(x, y));
    };
    if (!visit(at.x, at.y)) return;
    // Seeds: pixels accepted and not yet painted, each the start of a run to find.
    std::vector<Point> seeds{at};
    while (!seeds.empty()) {
        const Point seed = seeds.back();
        seeds.pop_back();
        int left = seed.x, right = seed.x; // the run, both ends included
        while (left > 0 && visit(left - 1, seed.y))
            --left;
        while (right + 1 < width && visit(right + 1, seed.y))
            ++right;
        for (int x = left; x <= right; ++x)
            raster.setPixel(x, seed.y, colour);
        for (const int y : {seed.y - 1, seed.y + 1}) {
            if (y < 0 || y >= height) continue;
            for (int x = left; x <= right; ++x)
                if (visit(x, y)) seeds.push_back({x, y});
        }
    }
}

void replace(Raster& raster, Rgb colour, const ColourTest& like) {
    for (int y = 0; y < raster.height(); ++y)
        for (int x = 0; x < raster.width(); ++x)
            if (like(raster.pixel(x, y))) raster.setPixel(x, y, colour);
}

} // namespace core::retouch
