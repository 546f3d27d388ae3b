#pragma once
// A user's accessory multiplied into a skin (core::multiply in raster_op.h, channel by channel):
// how the accessories that keep their hue on any skin tone are painted.

#include "core/picture.h"

namespace core {

// under and over multiplied pixel by pixel, as an RGB picture of under's size; where over is
// smaller, under shows as it is. Empty when under is.
Picture multiplied(const Picture& under, const Picture& over);

} // namespace core
