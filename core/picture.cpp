#include "core/picture.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace core {
namespace {

std::shared_ptr<std::uint8_t[]> unsetPixels(int width, int height, int bytesPerPixel) {
    if (width < 1 || height < 1)
        throw std::invalid_argument("PictureBuffer: a picture needs at least one pixel");
    return std::make_shared_for_overwrite<std::uint8_t[]>(std::size_t(width) * std::size_t(height) *
                                                          std::size_t(bytesPerPixel));
}

} // namespace

PictureBuffer::PictureBuffer(int width, int height)
    : m_width(width), m_height(height), m_rowBytes(std::size_t(width) * Picture::kChannels),
      m_pixels(unsetPixels(width, height, Picture::kChannels)) {}

PictureBuffer::PictureBuffer(int width, int height, const Palette& palette)
    : m_width(width), m_height(height), m_rowBytes(std::size_t(width)),
      m_pixels(unsetPixels(width, height, 1)), m_palette(std::make_shared<const Palette>(palette)) {}

Picture::Picture(int width, int height, std::span<const std::uint8_t> rgb) {
    if (width < 1 || height < 1 || rgb.size() != std::size_t(width) * height * kChannels)
        throw std::invalid_argument("Picture: pixel count does not match its size");
    PictureBuffer buffer(width, height);
    std::memcpy(buffer.data(), rgb.data(), rgb.size());
    *this = std::move(buffer).finish();
}

Picture::Picture(int width, int height, const Palette& palette, std::span<const std::uint8_t> indices) {
    if (width < 1 || height < 1 || indices.size() != std::size_t(width) * height)
        throw std::invalid_argument("Picture: index count does not match its size");
    PictureBuffer buffer(width, height, palette);
    std::memcpy(buffer.data(), indices.data(), indices.size());
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
    if (a.m_width != b.m_width || a.m_height != b.m_height) return false;
    if (a.isEmpty() || b.isEmpty()) return a.isEmpty() == b.isEmpty();
    const std::size_t rowBytes = std::size_t(a.m_width) * Picture::kChannels;
    std::vector<std::uint8_t> scratchA(a.isIndexed() ? rowBytes : 0), scratchB(b.isIndexed() ? rowBytes : 0);
    for (int y = 0; y < a.m_height; ++y)
        if (std::memcmp(a.rgbRow(y, scratchA.data()), b.rgbRow(y, scratchB.data()), rowBytes) != 0)
            return false;
    return true;
}

std::vector<std::uint8_t> rgbBytes(const Picture& picture) {
    const std::size_t rowBytes = std::size_t(picture.width()) * Picture::kChannels;
    std::vector<std::uint8_t> rgb(rowBytes * std::size_t(picture.height()));
    for (int y = 0; y < picture.height(); ++y) {
        std::uint8_t* row = rgb.data() + std::size_t(y) * rowBytes;
        const std::uint8_t* colours = picture.rgbRow(y, row);
        if (colours != row) std::memcpy(row, colours, rowBytes);
    }
    return rgb;
}

} // namespace core
