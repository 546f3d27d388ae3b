// The retouch raster and its rectangles.

#include "core/retouch/raster.h"

#include <algorithm>

namespace core::retouch {

Rect Rect::within(const Rect& other) const {
    const int l = std::max(left, other.left), t = std::max(top, other.top);
    const int r = std::min(right(), other.right()), b = std::min(bottom(), other.bottom());
    if (r <= l || b <= t) return {};
    return {l, t, r - l, b - t};
}

Rect Rect::spanning(Point a, Point b) {
    const int l = std::min(a.x, b.x), t = std::min(a.y, b.y);
    return {l, t, std::max(a.x, b.x) - l + 1, std::max(a.y, b.y) - t + 1};
}

Raster::Raster(int width, int height, Rgb colour)
    : m_width(width), m_height(height), m_rgb(std::size_t(width) * std::size_t(height) * Picture::kChannels) {
    for (std::size_t i = 0; i < m_rgb.size(); i += Picture::kChannels) {
        m_rgb[i] = colour.r;
        m_rgb[i + 1] = colour.g;
        m_rgb[i + 2] = colour.b;
    }
}

Raster::Raster(int width, int height, std::span<const std::uint8_t> rgb)
    : m_width(width), m_height(height), m_rgb(rgb.begin(), rgb.end()) {}

Raster::Raster(const Picture& picture)
    : m_width(picture.width()), m_height(picture.height()), m_rgb(rgbBytes(picture)) {}

void Raster::fill(const Rect& area, Rgb colour) {
    const Rect inside = area.within(bounds());
    for (int y = inside.top; y < inside.bottom(); ++y)
        for (int x = inside.left; x < inside.right(); ++x)
            setPixel(x, y, colour);
}

} // namespace core::retouch
