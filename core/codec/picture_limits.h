#pragma once
// The caps every reader puts on a picture before it allocates anything for it, and the words
// of the messages about a picture's size. Internal to the codec.

#include <cstdint>
#include <string>

#include "core/status.h"

namespace core::codec {

// Caps on what a header may claim: a side of at most this many pixels ...
inline constexpr int kMaxSide = 32768;
// ... and at most this many pixels in all (3 bytes each once decoded: 192 MiB).
inline constexpr std::int64_t kMaxPixels = std::int64_t(64) * 1024 * 1024;

// Ok for a size within the caps, else the reason alone: "its size of 40000 x 2 pixels is too
// large (at most 32768 pixels a side and 64 million pixels)."
Status checkPictureSize(std::int64_t width, std::int64_t height);

// "32768 × 2048": a size in messages about memory.
std::string sizeText(int width, int height);

} // namespace core::codec
