#pragma once
// The BMP codec: decoding from bytes (easy to test and fuzz), files as a thin wrapper.

#include <cstdint>
#include <span>
#include <string>

#include "core/picture.h"
#include "core/status.h"

namespace core {

// What a BMP header says about its pixels, as read (for `quiltane-cli --info`).
struct BmpInfo {
    int width = 0;
    int height = 0; // always positive; topDown tells the row order
    bool topDown = false;
    int bitsPerPixel = 0;
    std::string compression; // "none", "RLE8", "RLE4", "bit fields", ...
    int headerSize = 0;
};

// Decodes a whole BMP file held in memory. Palette images are expanded to RGB.
Result<Picture> decodeBmp(std::span<const std::uint8_t> bytes);
Result<BmpInfo> readBmpInfo(std::span<const std::uint8_t> bytes);
// A 24-bit BMP: 14-byte file header, 40-byte information header, bottom-up rows padded to 4 bytes.
std::vector<std::uint8_t> encodeBmp24(const Picture& picture);

// Reads a BMP file. Errors name the file and the reason.
Result<Picture> LoadPicture(const std::string& path);
// Writes a 24-bit BMP, replacing an existing file atomically: a temporary file in the same
// folder, flushed, then renamed over it. A failed save leaves the old file as it was.
Status SavePicture(const Picture& picture, const std::string& path);

} // namespace core
