#pragma once
// Picture: an immutable raster of colours, or empty. It holds either red, green and blue for
// each pixel, or (read from a palette file) a palette and one index a pixel, so that a skin
// saved again as 8 bits keeps its palette and its indices. Either kind gives its colours the
// same way: pixel() for one, rgb() for a run of a row. Copies share pixels, so handing
// pictures around (a canvas's loaded picture, a library image) costs nothing, and nothing in a
// picture changes after it is made, so threads may share one.

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "core/palette.h"

namespace core {

class Picture {
  public:
    static constexpr int kChannels = 3; // bytes of an RGB pixel: red, green, blue

    Picture() = default; // empty

    // An RGB copy of rgb: width * height pixels, rows top to bottom, each pixel r, g, b.
    // width and height must be at least 1 and rgb must hold exactly their product.
    Picture(int width, int height, std::span<const std::uint8_t> rgb);
    // An indexed copy of indices: width * height of them, rows top to bottom.
    Picture(int width, int height, const Palette& palette, std::span<const std::uint8_t> indices);
    static Picture filled(int width, int height, Rgb colour);

    bool isEmpty() const { return m_pixels == nullptr; }
    int width() const { return m_width; }
    int height() const { return m_height; }

    // Read from a palette file: a palette and one index a pixel.
    bool isIndexed() const { return m_palette != nullptr; }
    // An indexed picture's palette; nullptr for an RGB or empty picture.
    const Palette* palette() const { return m_palette.get(); }
    // An indexed picture's indices of row y, width of them.
    const std::uint8_t* indexRow(int y) const {
        return m_pixels.get() + std::size_t(y) * std::size_t(m_width);
    }

    // Caller keeps 0 <= x < width, 0 <= y < height.
    Rgb pixel(int x, int y) const {
        const std::size_t at = std::size_t(y) * std::size_t(m_width) + std::size_t(x);
        if (m_palette) return m_palette->colour(m_pixels[at]);
        const std::uint8_t* p = m_pixels.get() + at * kChannels;
        return {p[0], p[1], p[2]};
    }
    // Red, green and blue of count pixels of row y from column x on: an RGB picture's own
    // bytes, or an indexed picture's colours written into scratch (count * 3 bytes), which is
    // then what is returned. The run lies inside the picture.
    const std::uint8_t* rgb(int x, int y, int count, std::uint8_t* scratch) const {
        const std::size_t at = std::size_t(y) * std::size_t(m_width) + std::size_t(x);
        if (!m_palette) return m_pixels.get() + at * kChannels;
        m_palette->expand(m_pixels.get() + at, scratch, count);
        return scratch;
    }
    const std::uint8_t* rgbRow(int y, std::uint8_t* scratch) const { return rgb(0, y, m_width, scratch); }

    // Whether both are copies of one picture (the same pixels), not merely equal colours.
    bool isSameAs(const Picture& other) const {
        return m_pixels == other.m_pixels && m_palette == other.m_palette;
    }
    // Bytes of pixels held: 3 a pixel, or 1 and the palette.
    std::size_t memoryBytes() const {
        const std::size_t pixels = std::size_t(m_width) * std::size_t(m_height);
        return m_palette ? pixels + sizeof(Palette) : pixels * kChannels;
    }

    // Same size and the same colour at every pixel, whichever kind either is (two empty
    // pictures are equal).
    friend bool operator==(const Picture& a, const Picture& b);

  private:
    friend class PictureBuffer;
    Picture(int width, int height, std::shared_ptr<const std::uint8_t[]> pixels,
            std::shared_ptr<const Palette> palette)
        : m_width(width), m_height(height), m_pixels(std::move(pixels)), m_palette(std::move(palette)) {}

    int m_width = 0;
    int m_height = 0;
    std::shared_ptr<const std::uint8_t[]> m_pixels; // r, g, b triples, or indices
    std::shared_ptr<const Palette> m_palette;       // indexed pictures only
};

// Every pixel's red, green and blue, rows top to bottom, whichever kind the picture is: a copy,
// for code that wants the whole picture at once (a texture, a window's image).
std::vector<std::uint8_t> rgbBytes(const Picture& picture);

// A picture being made: width * height pixels that the maker writes, every byte of them, and
// then hands over as a Picture. The pixels start out unset, so a decoder writes each byte once.
class PictureBuffer {
  public:
    // An RGB picture: rows of width * 3 bytes. width and height must be at least 1.
    PictureBuffer(int width, int height);
    // An indexed picture: rows of width indices into palette.
    PictureBuffer(int width, int height, const Palette& palette);

    // Row y: width * 3 bytes of r, g, b, or width indices.
    std::uint8_t* row(int y) { return m_pixels.get() + std::size_t(y) * m_rowBytes; }
    std::uint8_t* data() { return m_pixels.get(); }
    Picture finish() && { return Picture(m_width, m_height, std::move(m_pixels), std::move(m_palette)); }

  private:
    int m_width;
    int m_height;
    std::size_t m_rowBytes;
    std::shared_ptr<std::uint8_t[]> m_pixels;
    std::shared_ptr<const Palette> m_palette;
};

} // namespace core
