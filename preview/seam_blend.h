#pragma once
// Blending a seam: the pixels each side of a seam of the seam check drawn together, so that
// its two sides meet on the body. On every row the two pixels at the seam take the colour
// halfway between them, and the pixels inwards from them take a share of the same change that
// falls off evenly over the width; pixels farther from the seam are not touched.

#include "core/retouch/raster.h"
#include "preview/seams.h"

namespace preview {

// Pixels each side of the seam, counting the one next to it.
constexpr int kMinBlendWidth = 1, kMaxBlendWidth = 16;
constexpr int kDefaultBlendWidth = 3;

// skin is 256 x 256; width from kMinBlendWidth to kMaxBlendWidth.
void blendSeam(core::retouch::Raster& skin, const SeamSpec& seam, int width);
// Every seam of the check (their pixels never overlap at these widths).
void blendSeams(core::retouch::Raster& skin, int width);

} // namespace preview
