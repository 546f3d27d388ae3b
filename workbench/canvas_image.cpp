#include "workbench/canvas_image.h"

namespace workbench {

QImage canvasImage(const core::Canvas& canvas) {
    // Rows top to bottom, three bytes (red, green, blue) a pixel, no padding.
    constexpr int kStride = core::kSkinSize * core::Picture::kChannels;
    const QImage borrowed(canvas.imageBytes(), core::kSkinSize, core::kSkinSize, kStride,
                          QImage::Format_RGB888);
    // Converted here, in one piece: a painter given the three-byte pixels converts them while
    // drawing, split among the threads of a pool it starts on first use, and on a busy machine
    // waiting for those threads costs more than the conversion.
    return borrowed.convertToFormat(QImage::Format_RGB32);
}

QImage pictureImage(const core::Picture& picture) {
    if (picture.isEmpty()) return QImage();
    const std::vector<std::uint8_t> rgb = core::rgbBytes(picture);
    const QImage borrowed(rgb.data(), picture.width(), picture.height(),
                          picture.width() * core::Picture::kChannels, QImage::Format_RGB888);
    return borrowed.copy();
}

} // namespace workbench
