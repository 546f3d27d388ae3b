#pragma once
// The PNG codec on bytes, through libpng: decoding any PNG file into a picture, and encoding
// a picture as a palette or a true-colour PNG file. Files go through the picture loader
// (core/codec/picture_file.h) and the save of core/png_save.h.

#include <cstdint>
#include <span>
#include <vector>

#include "core/codec/palette_image.h"
#include "core/codec/picture_file.h"
#include "core/picture.h"
#include "core/status.h"

namespace core {

// Decodes a whole PNG file held in memory: every colour type and bit depth the format has,
// interlaced or not. A palette file gives an indexed picture that keeps the file's palette and
// indices; the others give RGB pictures, 16-bit samples scaled to 8 bits (v * 255 / 65535,
// rounded). Transparency (an alpha channel, a palette's or a colour key's tRNS) is laid onto
// white, each channel c of alpha a becoming (c * a + 255 * (255 - a)) / 255 rounded to the
// nearest; then the note is kFlattenedNote. Gamma, colour profiles and the background colour a
// file suggests are ignored, as paint programs do. Sizes above 32768 pixels a side or 64 M
// pixels are refused before allocating. A failure's message is the reason alone ("its PNG
// data is damaged (IDAT: incorrect data check)."), written to follow "Cannot open skin.png: ".
Result<LoadedPicture> decodePng(std::span<const std::uint8_t> bytes);
// What a PNG file's header says, from its first 33 bytes, checked as decodePng checks them.
Result<PictureInfo> readPngInfo(std::span<const std::uint8_t> bytes);

// A true-colour PNG file of 8 bits a channel, no alpha. Fails for an empty picture.
Result<std::vector<std::uint8_t>> encodePng(const Picture& picture);
// A palette PNG file: its palette as given, at 1, 2, 4 or 8 bits a pixel (the fewest that hold
// it), the indices as given. An index beyond the palette gets a black entry of its own, so
// that the file shows it as the picture does. Fails for an empty image or one whose index
// count does not match its size.
Result<std::vector<std::uint8_t>> encodePng(const PaletteImage& image);

} // namespace core
