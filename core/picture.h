#pragma once
// Picture: an immutable raster of 8-bit red, green and blue, or empty. Copies share pixels,
// so handing pictures around (a canvas's loaded picture, a library image) costs nothing.

#include <cstdint>
#include <memory>
#include <span>

namespace core {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

class Picture {
  public:
    static constexpr int kChannels = 3; // bytes per pixel: red, green, blue

    Picture() = default; // empty

    // A copy of rgb: width * height pixels, rows top to bottom, each pixel r, g, b.
    // width and height must be at least 1 and rgb must hold exactly their product.
    Picture(int width, int height, std::span<const std::uint8_t> rgb);
    static Picture filled(int width, int height, Rgb colour);

    bool isEmpty() const { return m_pixels == nullptr; }
    int width() const { return m_width; }
    int height() const { return m_height; }

    // Caller keeps 0 <= x < width, 0 <= y < height.
    Rgb pixel(int x, int y) const {
        const std::uint8_t* p = row(y) + x * kChannels;
        return {p[0], p[1], p[2]};
    }
    const std::uint8_t* row(int y) const { return m_pixels.get() + std::size_t(y) * m_width * kChannels; }
    // All pixels, rows top to bottom; empty for an empty picture.
    std::span<const std::uint8_t> bytes() const {
        return {m_pixels.get(), std::size_t(m_width) * std::size_t(m_height) * kChannels};
    }

    // Same size and pixels (two empty pictures are equal).
    friend bool operator==(const Picture& a, const Picture& b);

  private:
    friend class PictureBuffer;
    Picture(int width, int height, std::shared_ptr<const std::uint8_t[]> pixels)
        : m_width(width), m_height(height), m_pixels(std::move(pixels)) {}

    int m_width = 0;
    int m_height = 0;
    std::shared_ptr<const std::uint8_t[]> m_pixels;
};

// A picture being made: width * height pixels that the maker writes, every byte of them, and
// then hands over as a Picture. The pixels start out unset, so a decoder writes each byte once.
class PictureBuffer {
  public:
    // width and height must be at least 1.
    PictureBuffer(int width, int height);

    std::uint8_t* row(int y) { return m_pixels.get() + std::size_t(y) * m_width * Picture::kChannels; }
    std::uint8_t* data() { return m_pixels.get(); }
    Picture finish() && { return Picture(m_width, m_height, std::move(m_pixels)); }

  private:
    int m_width;
    int m_height;
    std::shared_ptr<std::uint8_t[]> m_pixels;
};

} // namespace core
