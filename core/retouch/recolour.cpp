// Recolour through HSL (hue, saturation, lightness), as pixel editors shift a colour.

#include "core/retouch/recolour.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace core::retouch {
namespace {

struct Hsl {
    double h, s, l; // h in degrees 0 to 360, s and l 0 to 1
};

// Worked in whole channel values, so that only the saturation and the hue take a division.
Hsl hslOf(Rgb c) {
    const int r = c.r, g = c.g, b = c.b;
    const int high = std::max({r, g, b}), low = std::min({r, g, b});
    const int chroma = high - low;
    const double l = (high + low) / 510.0;
    if (chroma == 0) return {0, 0, l};
    // chroma / 255 over 1 - |2l - 1|, both counted in channel values
    const double s = double(chroma) / (255 - std::abs(high + low - 255));
    // (g - b) / chroma lies within -1 to 1, so the red sector needs no wrapping beyond h < 0.
    double h = high == r   ? double(g - b) / chroma
               : high == g ? double(b - r) / chroma + 2
                           : double(r - g) / chroma + 4;
    h *= 60;
    if (h < 0) h += 360;
    return {h, s, l};
}

std::uint8_t channel(double value) {
    // Rounds half up: the value is not negative once clamped.
    return std::uint8_t(std::clamp(value, 0.0, 1.0) * 255 + 0.5);
}

Rgb rgbOf(const Hsl& c) {
    const double chroma = (1 - std::abs(2 * c.l - 1)) * c.s;
    const double sector = c.h / 60; // 0 to 6
    const int whole = int(sector);
    const double x = chroma * (1 - std::abs(sector - (whole & ~1) - 1)); // sector's distance from odd
    double r = 0, g = 0, b = 0;
    switch (whole % 6) {
    case 0:
        r = chroma, g = x;
        break;
    case 1:
        r = x, g = chroma;
        break;
    case 2:
        g = chroma, b = x;
        break;
    case 3:
        g = x, b = chroma;
        break;
    case 4:
        r = x, b = chroma;
        break;
    default:
        r = chroma, b = x;
        break;
    }
    const double m = c.l - chroma / 2;
    return {channel(r + m), channel(g + m), channel(b + m)};
}

} // namespace

Rgb shifted(Rgb colour, const HslShift& shift) {
    Hsl c = hslOf(colour);
    // The hue is 0 to 360 and the shift -180 to 180: one turn at most brings it back.
    c.h += shift.hue;
    if (c.h < 0) c.h += 360;
    if (c.h >= 360) c.h -= 360;
    c.s = std::clamp(c.s * (1 + shift.saturation / 100), 0.0, 1.0);
    const double towards = shift.lightness / 100;
    c.l = towards >= 0 ? c.l + (1 - c.l) * towards : c.l * (1 + towards);
    return rgbOf(c);
}

namespace {

// Each colour shifted once: a skin holds few colours (an 8-bit one at most 256), scattered
// pixel by pixel, so a small table indexed by a hash of the colour answers nearly every pixel.
class ShiftedColours {
  public:
    explicit ShiftedColours(const HslShift& shift) : m_shift(shift), m_entries(kSize) {}

    Rgb operator()(Rgb colour) {
        const std::uint32_t key = std::uint32_t(colour.r) << 16 | std::uint32_t(colour.g) << 8 | colour.b;
        Entry& entry = m_entries[(key * 0x9E3779B1u) >> (32 - kBits)];
        if (entry.key != key) entry = {key, shifted(colour, m_shift)};
        return entry.value;
    }

  private:
    static constexpr int kBits = 12;
    static constexpr std::size_t kSize = std::size_t(1) << kBits;
    struct Entry {
        std::uint32_t key = ~std::uint32_t(0); // no colour: colours use 24 bits
        Rgb value;
    };

    HslShift m_shift;
    std::vector<Entry> m_entries;
};

} // namespace

void recolour(Raster& raster, const HslShift& shift, const PixelArea& within) {
    ShiftedColours shiftedColour(shift);
    for (int y = 0; y < raster.height(); ++y)
        for (int x = 0; x < raster.width(); ++x)
            if (within.contains(x, y)) raster.setPixel(x, y, shiftedColour(raster.pixel(x, y)));
}

} // namespace core::retouch
