#include "core/picture.h"

#include <stdexcept>

namespace core {

Picture::Picture(int width, int height, std::vector<std::uint8_t> rgb) : m_width(width), m_height(height) {
    if (width < 1 || height < 1 || rgb.size() != std::size_t(width) * height * kChannels)
        throw std::invalid_argument("Picture: pixel count does not match its size");
    m_pixels = std::make_shared<const std::vector<std::uint8_t>>(std::move(rgb));
}

Picture Picture::filled(int width, int height, Rgb colour) {
    std::vector<std::uint8_t> rgb(std::size_t(width) * height * kChannels);
    for (std::size_t i = 0; i < rgb.size(); i += kChannels) {
        rgb[i] = colour.r;
        rgb[i + 1] = colour.g;
        rgb[i + 2] = colour.b;
    }
    return Picture(width, height, std::move(rgb));
}

const std::vector<std::uint8_t>& Picture::bytes() const {
    static const std::vector<std::uint8_t> none;
    return m_pixels ? *m_pixels : none;
}

bool operator==(const Picture& a, const Picture& b) {
    return a.m_width == b.m_width && a.m_height == b.m_height && a.bytes() == b.bytes();
}

} // namespace core
