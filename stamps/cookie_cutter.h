#pragma once
// The cookie cutter's paints, stated once: an outfit mask and a body fill are two paints each of
// a whole skin-sized picture, whichever picture that is: a library mask or body (the button
// table's rows) or one of the user's own (stamps/own_pictures.h).

#include <array>

#include "core/skin_layout.h"
#include "stamps/paint_step.h"

namespace stamps {

// A paint of the whole canvas from the whole picture, at (0, 0).
constexpr core::PaintArgs wholeSkin(core::RasterOp op) {
    constexpr auto kSize = std::int16_t(core::kSkinSize);
    return {0, 0, kSize, kSize, 0, 0, kSize, kSize, op};
}

// Outfit mask: whiten the destination outside the garment, write the inverted mask into the
// source canvas, which then serves as scratch for the body fill.
constexpr std::array<PaintStep, 2> maskSteps(PictureSource mask, core::ImageId image = {}) {
    return {{
        {mask, image, CanvasId::picTarget, wholeSkin(core::RasterOp::SRCPAINT)},
        {mask, image, CanvasId::picSource, wholeSkin(core::RasterOp::NOTSRCCOPY)},
    }};
}

// Body fill: OR the body into the scratch (it shows only where the last mask was white), then
// AND what the source canvas shows into the destination.
constexpr std::array<PaintStep, 2> bodyFillSteps(PictureSource body, core::ImageId image = {}) {
    return {{
        {body, image, CanvasId::picSource, wholeSkin(core::RasterOp::SRCPAINT)},
        {PictureSource::SourceImage, {}, CanvasId::picTarget, wholeSkin(core::RasterOp::SRCAND)},
    }};
}

} // namespace stamps
