// The size caps' check and the words for sizes (see picture_limits.h).

#include "core/codec/picture_limits.h"

namespace core::codec {

Status checkPictureSize(std::int64_t width, std::int64_t height) {
    if (width <= kMaxSide && height <= kMaxSide && width * height <= kMaxPixels) return Status::ok();
    return Status::input("its size of " + std::to_string(width) + " x " + std::to_string(height) +
                         " pixels is too large (at most " + std::to_string(kMaxSide) + " pixels a side and " +
                         std::to_string(kMaxPixels / (1024 * 1024)) + " million pixels).");
}

std::string sizeText(int width, int height) {
    return std::to_string(width) + " × " + std::to_string(height);
}

} // namespace core::codec
