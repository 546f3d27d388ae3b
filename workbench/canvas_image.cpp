#include "workbench/canvas_image.h"

namespace workbench {

QImage canvasImage(const core::Canvas& canvas) {
    // Rows top to bottom, three bytes (red, green, blue) a pixel, no padding.
    constexpr int kStride = core::Canvas::kSize * core::Picture::kChannels;
    return QImage(canvas.imageBytes(), core::Canvas::kSize, core::Canvas::kSize, kStride,
                  QImage::Format_RGB888);
}

QImage pictureImage(const core::Picture& picture) {
    if (picture.isEmpty()) return QImage();
    const std::vector<std::uint8_t> rgb = core::rgbBytes(picture);
    const QImage borrowed(rgb.data(), picture.width(), picture.height(),
                          picture.width() * core::Picture::kChannels, QImage::Format_RGB888);
    return borrowed.copy();
}

} // namespace workbench
