// Areas of pixels: the whole, a rectangle, a mask's garment.

#include "core/retouch/pixel_area.h"

#include <string>

namespace core::retouch {

PixelArea PixelArea::whole(int width, int height) {
    return PixelArea(width, height, true);
}

PixelArea PixelArea::rectangle(int width, int height, const Rect& rect) {
    PixelArea area(width, height, false);
    const Rect inside = rect.within({0, 0, width, height});
    for (int y = inside.top; y < inside.bottom(); ++y)
        for (int x = inside.left; x < inside.right(); ++x)
            area.m_inside[std::size_t(y) * std::size_t(width) + std::size_t(x)] = true;
    return area;
}

Result<PixelArea> PixelArea::ofMask(const Picture& mask, int width, int height) {
    if (mask.width() != width || mask.height() != height)
        return Status::usage("the mask is " + std::to_string(mask.width()) + " x " +
                             std::to_string(mask.height()) + " pixels; it must be " + std::to_string(width) +
                             " x " + std::to_string(height) + ", as the skin is");
    PixelArea area(width, height, false);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            area.m_inside[std::size_t(y) * std::size_t(width) + std::size_t(x)] =
                marksGarment(mask.pixel(x, y));
    return area;
}

} // namespace core::retouch
