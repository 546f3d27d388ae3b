#pragma once
// The one place where our pixels become a QImage.

#include <QImage>

#include "core/canvas.h"
#include "core/picture.h"

namespace workbench {

// A copy of the canvas's persistent image, 256 x 256, in the 32-bit format that screens' backing
// stores use, so that drawing it is a plain copy.
QImage canvasImage(const core::Canvas& canvas);

// A copy of an RGB picture (a canvas's image, a rendered preview) that the QImage owns; a null
// QImage for an empty picture.
QImage pictureImage(const core::Picture& picture);

} // namespace workbench
