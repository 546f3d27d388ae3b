#pragma once
// The pixels a retouch works on: a raster of colours that the retouching operations change in
// place (a pencil dab, a fill, a mirror), made from a canvas's image and handed back to it as
// a picture. Places are whole pixels, x to the right and y down from the top left corner.

#include <cstdint>
#include <span>
#include <vector>

#include "core/picture.h"

namespace core::retouch {

struct Point {
    int x = 0, y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// Pixels left to left + width - 1 and top to top + height - 1; empty when either size is 0
// or less.
struct Rect {
    int left = 0, top = 0, width = 0, height = 0;

    bool isEmpty() const { return width <= 0 || height <= 0; }
    int right() const { return left + width; } // the edge after the last column
    int bottom() const { return top + height; }
    bool contains(Point p) const { return p.x >= left && p.x < right() && p.y >= top && p.y < bottom(); }
    // The part of this inside other.
    Rect within(const Rect& other) const;
    // The smallest rectangle holding both corners' pixels, in either order.
    static Rect spanning(Point a, Point b);
    friend bool operator==(const Rect&, const Rect&) = default;
};

class Raster {
  public:
    // width * height pixels of one colour; width and height at least 1.
    Raster(int width, int height, Rgb colour);
    // A copy of rgb: width * height pixels, rows top to bottom, each r, g, b.
    Raster(int width, int height, std::span<const std::uint8_t> rgb);
    // A copy of a picture's colours; the picture is not empty.
    explicit Raster(const Picture& picture);

    int width() const { return m_width; }
    int height() const { return m_height; }
    Rect bounds() const { return {0, 0, m_width, m_height}; }
    bool contains(Point p) const { return bounds().contains(p); }

    // Inside the raster only.
    Rgb pixel(int x, int y) const {
        const std::uint8_t* p = &m_rgb[offset(x, y)];
        return {p[0], p[1], p[2]};
    }
    Rgb pixel(Point p) const { return pixel(p.x, p.y); }
    void setPixel(int x, int y, Rgb c) {
        std::uint8_t* p = &m_rgb[offset(x, y)];
        p[0] = c.r;
        p[1] = c.g;
        p[2] = c.b;
    }

    // The rectangle's part on the raster in one colour.
    void fill(const Rect& area, Rgb colour);

    // Rows top to bottom, r g b per pixel.
    std::span<const std::uint8_t> bytes() const { return m_rgb; }
    Picture picture() const { return Picture(m_width, m_height, m_rgb); }

    friend bool operator==(const Raster&, const Raster&) = default;

  private:
    std::size_t offset(int x, int y) const {
        return (std::size_t(y) * std::size_t(m_width) + std::size_t(x)) * Picture::kChannels;
    }

    int m_width;
    int m_height;
    std::vector<std::uint8_t> m_rgb;
};

} // namespace core::retouch
