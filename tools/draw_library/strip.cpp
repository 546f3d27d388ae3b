#include "tools/draw_library/strip.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <stdexcept>
#include <tuple>

namespace draw {

Strip::Strip(int width, int height, core::Rgb fill)
    : m_width(width), m_height(height), m_pixels(std::size_t(width) * height, fill) {}

DrawnPicture Strip::as24Bit() const {
    DrawnPicture picture;
    picture.width = m_width;
    picture.height = m_height;
    picture.bitsPerPixel = 24;
    picture.pixels = m_pixels;
    return picture;
}

DrawnPicture Strip::as8Bit() const {
    auto before = [](core::Rgb a, core::Rgb b) { return std::tie(a.r, a.g, a.b) < std::tie(b.r, b.g, b.b); };
    std::vector<core::Rgb> palette = m_pixels;
    std::sort(palette.begin(), palette.end(), before);
    palette.erase(std::unique(palette.begin(), palette.end()), palette.end());
    if (palette.size() > 256) throw std::logic_error("Strip: more than 256 colours for an 8-bit picture");
    const std::size_t used = palette.size();
    palette.resize(256, kBlack);

    DrawnPicture picture;
    picture.width = m_width;
    picture.height = m_height;
    picture.bitsPerPixel = 8;
    picture.indices.reserve(m_pixels.size());
    for (core::Rgb colour : m_pixels)
        picture.indices.push_back(std::uint8_t(
            std::lower_bound(palette.begin(), palette.begin() + used, colour, before) - palette.begin()));
    picture.palette = std::move(palette);
    return picture;
}

std::vector<int> apportion(const std::vector<double>& weights, int total) {
    const double sum = std::accumulate(weights.begin(), weights.end(), 0.0);
    if (sum <= 0) throw std::invalid_argument("apportion: the weights add up to nothing");
    std::vector<int> shares(weights.size());
    std::vector<std::pair<double, std::size_t>> remainders;
    int given = 0;
    for (std::size_t i = 0; i < weights.size(); ++i) {
        const double exact = weights[i] * total / sum;
        shares[i] = int(std::floor(exact));
        given += shares[i];
        remainders.push_back({exact - shares[i], i});
    }
    std::stable_sort(remainders.begin(), remainders.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    for (int i = 0; given < total; ++i, ++given)
        ++shares[remainders[i].second];
    return shares;
}

bool onEllipse(double dx, double dy, double radiusX, double radiusY, double thickness) {
    // The implicit function's value over its gradient's length: the distance to the outline,
    // close enough near it.
    const double value = dx * dx / (radiusX * radiusX) + dy * dy / (radiusY * radiusY) - 1.0;
    const double gradient = 2.0 * std::hypot(dx / (radiusX * radiusX), dy / (radiusY * radiusY));
    return gradient > 0 && std::abs(value) / gradient <= thickness / 2;
}

core::Rgb scaled(core::Rgb colour, double factor) {
    auto channel = [factor](std::uint8_t value) {
        return std::uint8_t(std::clamp(std::lround(value * factor), 0L, 255L));
    };
    return {channel(colour.r), channel(colour.g), channel(colour.b)};
}

core::Rgb mix(core::Rgb a, core::Rgb b, double t) {
    auto channel = [t](std::uint8_t from, std::uint8_t to) {
        return std::uint8_t(std::clamp(std::lround(from + (to - from) * t), 0L, 255L));
    };
    return {channel(a.r, b.r), channel(a.g, b.g), channel(a.b, b.b)};
}

FootSpot footAt(int x) {
    FootSpot spot;
    spot.foot = std::min(3, int((x + 0.5) / kFootWidth));
    spot.front = spot.foot >= 2;
    spot.centre = (spot.foot + 0.5) * kFootWidth;
    spot.u = (x + 0.5 - spot.centre) / (kFootWidth / 2);
    return spot;
}

} // namespace draw
