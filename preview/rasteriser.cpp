#include "preview/rasteriser.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "core/skin_layout.h"

namespace preview {
namespace {

// Where p lies against the edge from a to b: positive on the inner side of a triangle whose
// corners run clockwise in picture coordinates (y downwards).
float edge(const ScreenVertex& a, const ScreenVertex& b, float px, float py) {
    return (b.x - a.x) * (py - a.y) - (b.y - a.y) * (px - a.x);
}

} // namespace

FrameBuffer::FrameBuffer(int width, int height, std::uint8_t* rgb, core::Rgb background)
    : m_width(width), m_height(height), m_rgb(rgb), m_inverseDepth(std::size_t(width) * height, 0.0f) {
    for (std::size_t i = 0; i < std::size_t(width) * height; ++i) {
        rgb[i * 3] = background.r;
        rgb[i * 3 + 1] = background.g;
        rgb[i * 3 + 2] = background.b;
    }
}

void FrameBuffer::drawTriangle(const Texture& texture, const ScreenVertex& a, const ScreenVertex& b0,
                               const ScreenVertex& c0) {
    // Seen from outside, the corners run counter-clockwise: a negative area with y downwards.
    const float area = edge(a, b0, c0.x, c0.y);
    if (!(area < 0)) return;
    // Swapped, they run clockwise in picture coordinates and every edge is positive inside.
    const ScreenVertex& b = c0;
    const ScreenVertex& c = b0;
    const float inverseArea = -1 / area;

    const int left = std::max(0, int(std::floor(std::min({a.x, b.x, c.x}))));
    const int right = std::min(m_width - 1, int(std::ceil(std::max({a.x, b.x, c.x}))));
    const int top = std::max(0, int(std::floor(std::min({a.y, b.y, c.y}))));
    const int bottom = std::min(m_height - 1, int(std::ceil(std::max({a.y, b.y, c.y}))));
    if (left > right || top > bottom) return;

    // Each edge function grows by a constant step per pixel to the right.
    const float stepA = -(c.y - b.y), stepB = -(a.y - c.y), stepC = -(b.y - a.y);
    const float uScale = float(texture.width) / core::kSkinSize,
                vScale = float(texture.height) / core::kSkinSize;
    for (int y = top; y <= bottom; ++y) {
        const float py = y + 0.5f, px = left + 0.5f;
        float wa = edge(b, c, px, py), wb = edge(c, a, px, py), wc = edge(a, b, px, py);
        std::uint8_t* out = m_rgb + (std::size_t(y) * m_width + left) * 3;
        float* depth = m_inverseDepth.data() + std::size_t(y) * m_width + left;
        for (int x = left; x <= right; ++x, wa += stepA, wb += stepB, wc += stepC, out += 3, ++depth) {
            if (wa < 0 || wb < 0 || wc < 0) continue;
            const float ka = wa * inverseArea, kb = wb * inverseArea, kc = wc * inverseArea;
            const float inverseDepth = ka * a.inverseDepth + kb * b.inverseDepth + kc * c.inverseDepth;
            if (inverseDepth <= *depth) continue;
            *depth = inverseDepth;
            const float z = 1 / inverseDepth;
            const float u = (ka * a.u + kb * b.u + kc * c.u) * z;
            const float v = (ka * a.v + kb * b.v + kc * c.v) * z;
            const float light = (ka * a.light + kb * b.light + kc * c.light) * z;
            const int tx = std::clamp(int(u * uScale), 0, texture.width - 1);
            const int ty = std::clamp(int(v * vScale), 0, texture.height - 1);
            const std::uint8_t* texel = texture.rgb + (std::size_t(ty) * texture.width + tx) * 3;
            // The brightness in 256ths, so that the three channels take integer steps.
            const int scale = int(light * 256 + 0.5f);
            for (int k = 0; k < 3; ++k)
                out[k] = std::uint8_t(std::min(255, (texel[k] * scale + 128) >> 8));
        }
    }
}

} // namespace preview
