// Recolour through HSL (hue, saturation, lightness), as pixel editors shift a colour.

#include "core/retouch/recolour.h"

#include <algorithm>
#include <cmath>

namespace core::retouch {
namespace {

struct Hsl {
    double h, s, l; // h in degrees 0 to 360, s and l 0 to 1
};

Hsl hslOf(Rgb c) {
    const double r = c.r / 255.0, g = c.g / 255.0, b = c.b / 255.0;
    const double high = std::max({r, g, b}), low = std::min({r, g, b});
    const double l = (high + low) / 2, chroma = high - low;
    if (chroma == 0) return {0, 0, l};
    const double s = chroma / (1 - std::abs(2 * l - 1));
    double h = high == r   ? std::fmod((g - b) / chroma, 6.0)
               : high == g ? (b - r) / chroma + 2
                           : (r - g) / chroma + 4;
    h *= 60;
    if (h < 0) h += 360;
    return {h, s, l};
}

std::uint8_t channel(double value) {
    return std::uint8_t(std::lround(std::clamp(value, 0.0, 1.0) * 255));
}

Rgb rgbOf(const Hsl& c) {
    const double chroma = (1 - std::abs(2 * c.l - 1)) * c.s;
    const double sector = c.h / 60;
    const double x = chroma * (1 - std::abs(std::fmod(sector, 2.0) - 1));
    double r = 0, g = 0, b = 0;
    switch (int(sector) % 6) {
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
    c.h = std::fmod(std::fmod(c.h + shift.hue, 360) + 360, 360);
    c.s = std::clamp(c.s * (1 + shift.saturation / 100), 0.0, 1.0);
    const double towards = shift.lightness / 100;
    c.l = towards >= 0 ? c.l + (1 - c.l) * towards : c.l * (1 + towards);
    return rgbOf(c);
}

void recolour(Raster& raster, const HslShift& shift, const PixelArea& within) {
    // Skins hold few colours, in runs: the last colour shifted is kept for the next pixel.
    Rgb last = raster.pixel(0, 0), lastShifted = shifted(last, shift);
    for (int y = 0; y < raster.height(); ++y)
        for (int x = 0; x < raster.width(); ++x) {
            if (!within.contains(x, y)) continue;
            const Rgb c = raster.pixel(x, y);
            if (c != last) last = c, lastShifted = shifted(c, shift);
            raster.setPixel(x, y, lastShifted);
        }
}

} // namespace core::retouch
