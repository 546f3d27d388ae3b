#include "core/colour_difference.h"

#include <array>
#include <cmath>
#include <numbers>

namespace core {
namespace {

// The formula states its hue angles in degrees; the maths library takes radians.
constexpr double radians(double angle) {
    return angle * std::numbers::pi / 180;
}
constexpr double degrees(double angle) {
    return angle * 180 / std::numbers::pi;
}

// The sRGB transfer curve undone: an 8-bit channel to linear light 0..1, worked out once for
// each of the 256 values.
double linear(std::uint8_t channel) {
    static const std::array<double, 256> table = [] {
        std::array<double, 256> values{};
        for (int i = 0; i < 256; ++i) {
            const double c = i / 255.0;
            values[i] = c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        }
        return values;
    }();
    return table[channel];
}

// CIE's f(t) of the L*a*b* definition.
double labCurve(double t) {
    constexpr double kEpsilon = 216.0 / 24389.0, kKappa = 24389.0 / 27.0;
    return t > kEpsilon ? std::cbrt(t) : (kKappa * t + 16) / 116;
}

// Hue angle in degrees, 0 to 360; 0 for a grey.
double hueDegrees(double b, double a) {
    if (a == 0 && b == 0) return 0;
    const double h = degrees(std::atan2(b, a));
    return h < 0 ? h + 360 : h;
}

double pow7(double x) {
    const double x2 = x * x, x3 = x2 * x;
    return x3 * x3 * x;
}

} // namespace

Lab labFromRgb(Rgb rgb) {
    const double r = linear(rgb.r), g = linear(rgb.g), b = linear(rgb.b);
    // sRGB primaries to XYZ, divided by the D65 white (0.95047, 1, 1.08883).
    const double x = (0.4124564 * r + 0.3575761 * g + 0.1804375 * b) / 0.95047;
    const double y = 0.2126729 * r + 0.7151522 * g + 0.0721750 * b;
    const double z = (0.0193339 * r + 0.1191920 * g + 0.9503041 * b) / 1.08883;
    const double fx = labCurve(x), fy = labCurve(y), fz = labCurve(z);
    return {116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)};
}

// The formula as Sharma, Wu and Dalal (2005) spell it out, step by step, including their notes
// on the hue difference and mean hue where the two hues lie on either side of 0 degrees.
double deltaE2000(const Lab& first, const Lab& second) {
    const double c1 = std::hypot(first.a, first.b), c2 = std::hypot(second.a, second.b);
    const double meanC7 = pow7((c1 + c2) / 2);
    const double g = 0.5 * (1 - std::sqrt(meanC7 / (meanC7 + pow7(25))));
    const double a1 = (1 + g) * first.a, a2 = (1 + g) * second.a;
    const double cp1 = std::hypot(a1, first.b), cp2 = std::hypot(a2, second.b);
    const double hp1 = hueDegrees(first.b, a1), hp2 = hueDegrees(second.b, a2);

    const double dL = second.l - first.l;
    const double dC = cp2 - cp1;
    double dh = 0;
    if (cp1 * cp2 != 0) {
        dh = hp2 - hp1;
        if (dh > 180) dh -= 360;
        if (dh < -180) dh += 360;
    }
    const double dH = 2 * std::sqrt(cp1 * cp2) * std::sin(radians(dh / 2));

    const double meanL = (first.l + second.l) / 2;
    const double meanCp = (cp1 + cp2) / 2;
    double meanH = hp1 + hp2;
    if (cp1 * cp2 != 0) {
        if (std::abs(hp1 - hp2) <= 180)
            meanH /= 2;
        else
            meanH = meanH < 360 ? (meanH + 360) / 2 : (meanH - 360) / 2;
    }
    const double t = 1 - 0.17 * std::cos(radians(meanH - 30)) + 0.24 * std::cos(radians(2 * meanH)) +
                     0.32 * std::cos(radians(3 * meanH + 6)) - 0.20 * std::cos(radians(4 * meanH - 63));
    const double dTheta = 30 * std::exp(-std::pow((meanH - 275) / 25, 2));
    const double meanCp7 = pow7(meanCp);
    const double rc = 2 * std::sqrt(meanCp7 / (meanCp7 + pow7(25)));
    const double l50 = (meanL - 50) * (meanL - 50);
    const double sl = 1 + 0.015 * l50 / std::sqrt(20 + l50);
    const double sc = 1 + 0.045 * meanCp;
    const double sh = 1 + 0.015 * meanCp * t;
    const double rt = -std::sin(radians(2 * dTheta)) * rc;

    const double l = dL / sl, c = dC / sc, h = dH / sh;
    return std::sqrt(l * l + c * c + h * h + rt * c * h);
}

} // namespace core
