#pragma once
// The one place where our pixels become a QImage.

#include <QImage>

#include "core/canvas.h"
#include "core/picture.h"

namespace workbench {

// The canvas's persistent image, 256 x 256. The QImage borrows the canvas's pixels: draw it
// at once and keep it no longer than the canvas is left unchanged.
QImage canvasImage(const core::Canvas& canvas);

// A copy of an RGB picture (a canvas's image, a rendered preview) that the QImage owns; a null
// QImage for an empty picture.
QImage pictureImage(const core::Picture& picture);

} // namespace workbench
