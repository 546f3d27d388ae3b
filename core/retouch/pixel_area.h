#pragma once
// An area of pixels that an edit is kept within: the whole picture, a rectangle (the
// selection) or a mask's garment. Outfit masks mark the garment black on white, as the library
// draws them; a mask drawn elsewhere may shade its edges, so its garment is every pixel darker
// than middle grey.

#include <cstdint>
#include <vector>

#include "core/picture.h"
#include "core/retouch/raster.h"
#include "core/status.h"

namespace core::retouch {

class PixelArea {
  public:
    // Every pixel of a picture of that size.
    static PixelArea whole(int width, int height);
    // The rectangle's pixels that lie in a picture of that size.
    static PixelArea rectangle(int width, int height, const Rect& rect);
    // The garment of a mask of that size; a usage error naming both sizes when the mask has
    // another (or none).
    static Result<PixelArea> ofMask(const Picture& mask, int width, int height);

    int width() const { return m_width; }
    int height() const { return m_height; }
    // Inside the picture only.
    bool contains(int x, int y) const {
        return m_inside[std::size_t(y) * std::size_t(m_width) + std::size_t(x)];
    }

  private:
    PixelArea(int width, int height, bool inside)
        : m_width(width), m_height(height), m_inside(std::size_t(width) * std::size_t(height), inside) {}

    int m_width, m_height;
    std::vector<bool> m_inside; // rows top to bottom
};

// Whether a mask's pixel marks the garment: darker than middle grey.
constexpr bool marksGarment(Rgb c) {
    constexpr int kMiddleGreySum = 3 * 128;
    return c.r + c.g + c.b < kMiddleGreySum;
}

} // namespace core::retouch
