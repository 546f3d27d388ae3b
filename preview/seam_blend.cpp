// Seam blending, row by row, in the skin's own 8-bit channels.

#include "preview/seam_blend.h"

#include <algorithm>
#include <cmath>

namespace preview {
namespace {

std::uint8_t rounded(double value) {
    return std::uint8_t(std::lround(std::clamp(value, 0.0, 255.0)));
}

// The pixel i places inwards from the seam on this side.
int columnOf(const SeamSide& side, int i) {
    return side.column + side.inward * i;
}

} // namespace

void blendSeam(core::retouch::Raster& skin, const SeamSpec& seam, int width) {
    for (int row = seam.topRow; row < seam.bottomRow; ++row) {
        const core::Rgb a = skin.pixel(seam.first.column, row), b = skin.pixel(seam.second.column, row);
        const double middle[3] = {(a.r + b.r) / 2.0, (a.g + b.g) / 2.0, (a.b + b.b) / 2.0};
        for (const SeamSide& side : {seam.first, seam.second}) {
            const core::Rgb edge = skin.pixel(side.column, row);
            const double change[3] = {middle[0] - edge.r, middle[1] - edge.g, middle[2] - edge.b};
            // The pixel at the seam takes the whole change (both sides then hold the same
            // colour); each one inwards a width-th less.
            for (int i = 0; i < width; ++i) {
                const int x = columnOf(side, i);
                const double share = double(width - i) / width;
                const core::Rgb p = skin.pixel(x, row);
                skin.setPixel(x, row,
                              {rounded(p.r + change[0] * share), rounded(p.g + change[1] * share),
                               rounded(p.b + change[2] * share)});
            }
        }
    }
}

void blendSeams(core::retouch::Raster& skin, int width) {
    for (const SeamSpec& seam : allSeams())
        blendSeam(skin, seam, width);
}

} // namespace preview
