#include "core/picture.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace core {

PictureBuffer::PictureBuffer(int width, int height) : m_width(width), m_height(height) {
    if (width < 1 || height < 1)
        throw std::invalid_argument("PictureBuffer: a picture needs at least one pixel");
    m_pixels =
        std::make_shared_for_overwrite<std::uint8_t[]>(std::size_t(width) * height * Picture::kChannels);
}

Picture::Picture(int width, int height, std::span<const std::uint8_t> rgb) {
    if (width < 1 || height < 1 || rgb.size() != std::size_t(width) * height * kChannels)
        throw std::invalid_argument("Picture: pixel count does not match its size");
    PictureBuffer buffer(width, height);
    std::memcpy(buffer.data(), rgb.data(), rgb.size());
    *this = std::move(buffer).finish();
}

Picture Picture::filled(int width, int height, Rgb colour) {
    PictureBuffer buffer(width, height);
    std::uint8_t* p = buffer.data();
    for (std::size_t i = 0; i < std::size_t(width) * height; ++i, p += kChannels) {
        p[0] = colour.r;
        p[1] = colour.g;
        p[2] = colour.b;
    }
    return std::move(buffer).finish();
}

bool operator==(const Picture& a, const Picture& b) {
    return a.m_width == b.m_width && a.m_height == b.m_height && std::ranges::equal(a.bytes(), b.bytes());
}

} // namespace core
