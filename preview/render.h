#pragma once
// The skin on a body, seen from a view, as a picture: what the preview window shows and
// quiltane-cli --preview writes.

#include "core/picture.h"
#include "preview/camera.h"
#include "preview/mannequin.h"

namespace preview {

// The plain background around the body.
constexpr core::Rgb kBackground{128, 128, 128};

// The body, the mannequin unless another is given, wearing skin (an RGB picture laid out like a
// 256 x 256 skin; another size is scaled to it), lit and centred in a width x height picture.
// width and height at least 1.
core::Picture renderSkin(const core::Picture& skin, const View& view, int width, int height,
                         const Body& body = mannequin());

} // namespace preview
