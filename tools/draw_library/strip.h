#pragma once
// Drawing aids for the accessory pictures: a small colour raster, whole-number profiles that
// add up exactly, and conversion to the stored pixel formats.

#include <vector>

#include "core/skin_layout.h"
#include "tools/draw_library/drawn_picture.h"

namespace draw {

constexpr core::Rgb kWhite{255, 255, 255};
constexpr core::Rgb kBlack{0, 0, 0};

// A picture being drawn: colours per pixel, rows top to bottom.
class Strip {
  public:
    Strip(int width, int height, core::Rgb fill);

    int width() const { return m_width; }
    int height() const { return m_height; }
    core::Rgb at(int x, int y) const { return m_pixels[std::size_t(y) * m_width + x]; }
    // Out-of-range pixels are ignored, so shapes may run past the edges.
    void set(int x, int y, core::Rgb colour) {
        if (x >= 0 && x < m_width && y >= 0 && y < m_height) m_pixels[std::size_t(y) * m_width + x] = colour;
    }

    DrawnPicture as24Bit() const;
    // An 8-bit picture whose palette holds the colours used, sorted, then black to 256 entries.
    // More than 256 colours is a drawing fault and throws.
    DrawnPicture as8Bit() const;

  private:
    int m_width;
    int m_height;
    std::vector<core::Rgb> m_pixels;
};

// Splits total into whole numbers in proportion to the weights, by largest remainders (ties to
// the earlier one), so that they add up to total exactly. Weights must not all be zero.
std::vector<int> apportion(const std::vector<double>& weights, int total);

inline double square(double v) {
    return v * v;
}

// Whether a point (dx, dy) from an ellipse's centre lies on its outline drawn thickness wide.
bool onEllipse(double dx, double dy, double radiusX, double radiusY, double thickness);

// A colour scaled by factor per channel, rounded and kept within 0..255.
core::Rgb scaled(core::Rgb colour, double factor);
// From a (t = 0) to b (t = 1), rounded.
core::Rgb mix(core::Rgb a, core::Rgb b, double t);

// The four feet of a strip as wide as the body area (166 columns): two on the back half
// (columns 0-82), two on the front half (83-165), each 41.5 columns wide.
struct FootSpot {
    int foot = 0; // 0..3 from the left
    bool front = false;
    double u = 0; // -1 at the foot's left edge, 0 at its centre, 1 at its right edge
    double centre = 0;
};
constexpr int kStripWidth = core::kBodyWidth;
constexpr double kFootWidth = kStripWidth / 4.0;
FootSpot footAt(int x);

} // namespace draw
