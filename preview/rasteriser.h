#pragma once
// The software rasteriser: textured triangles with perspective-correct texture places, a depth
// buffer and nearest-neighbour sampling, so each skin pixel shows as a sharp-edged facet. Plain
// single-threaded float arithmetic, so the same inputs give the same pixels on every run.

#include <cstdint>
#include <vector>

#include "core/picture.h"

namespace preview {

// Pixels sampled by skin place: u and v (pixel edges of a 256 x 256 skin) are scaled to the
// texture's own size, so a 1 x 1 texture paints one colour.
struct Texture {
    const std::uint8_t* rgb; // rows top to bottom, red, green, blue a pixel
    int width, height;
};

// A vertex after projection: picture position, and what is interpolated across the triangle,
// each divided by the depth so the interpolation is correct in perspective.
struct ScreenVertex {
    float x, y;         // picture pixels, y downwards
    float inverseDepth; // 1 / depth
    float u, v;         // skin place / depth
    float light;        // brightness / depth
};

// What the triangles are drawn into: colour rows top to bottom and the nearest inverse depth
// drawn so far (0: nothing drawn yet).
class FrameBuffer {
  public:
    FrameBuffer(int width, int height, std::uint8_t* rgb, core::Rgb background);

    int width() const { return m_width; }
    int height() const { return m_height; }
    // Draws the triangle where it is nearer than what is there, if it faces the eye: its corners
    // run counter-clockwise as seen, as a mesh's do from outside the body.
    void drawTriangle(const Texture& texture, const ScreenVertex& a, const ScreenVertex& b,
                      const ScreenVertex& c);

  private:
    int m_width, m_height;
    std::uint8_t* m_rgb;
    std::vector<float> m_inverseDepth;
};

} // namespace preview
