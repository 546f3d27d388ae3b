#pragma once
// The BMP codec: decoding from bytes (easy to test and fuzz), files as a thin wrapper.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/atomic_file.h"
#include "core/codec/picture_file.h"
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

// Decodes a whole BMP file held in memory. Palette images (1, 2, 4 and 8 bits) give indexed
// pictures that keep the file's palette and indices; the others give RGB pictures.
// Reads 1, 2, 4 and 8 bits per pixel with a palette (plain, RLE8, RLE4), 16 and 32 bits (plain
// and bit fields), 24 bits; the 12-, 16- and 64-byte OS/2 headers and the 40-, 52-, 56-, 108-
// and 124-byte Windows headers; rows bottom-up or top-down. What it does where a file leaves
// colours open: alpha is dropped and the colour kept; pixels that RLE data leaves unset take
// index 0, the palette's first colour; palette indices beyond the palette are kept and
// read as black; colour profiles
// are ignored. Sizes above 32768 pixels a side or 64 M pixels are refused before allocating.
// A failure's message is the reason alone ("it is not a BMP file."), written to follow
// "Cannot open skin.bmp: ", as loadPicture does.
Result<Picture> decodeBmp(std::span<const std::uint8_t> bytes);
Result<BmpInfo> readBmpInfo(std::span<const std::uint8_t> bytes);
// A 24-bit BMP: 14-byte file header, 40-byte information header, bottom-up rows padded to 4 bytes.
// Empty for an empty picture.
std::vector<std::uint8_t> encodeBmp24(const Picture& picture);

class BmpEncoder;

// A BMP file is read by the loader of every format (loadPicture and readPictureFile in
// core/codec/picture_file.h, included here for their callers).
// What a BMP file's header says, read with the same checks and messages as loadPicture.
Result<BmpInfo> readBmpInfoFile(const std::string& path);
// Writes what an encoder makes to a file, row by row without the whole file in memory,
// replacing the file atomically (see core/atomic_file.h): a failed save leaves the old file as
// it was and no temporary file behind. Only a regular file is replaced or a new one created;
// a link to a regular file is followed and kept. Errors read "Cannot save <path>: <reason>".
Status saveBmp(const BmpEncoder& encoder, const std::string& path);
// The first half of saveBmp, for saves made durable together (AtomicFile::commitTogether): the
// file written in full beside its target, not yet flushed or renamed. Dropping the result
// discards it. Errors as saveBmp's; the commit's reasons follow "Cannot save <path>: ".
// heldFolder: path's folder held open by the caller, the file made in it (see AtomicFile::create).
Result<AtomicFile> stageBmp(const BmpEncoder& encoder, const std::string& path,
                            int heldFolder = kNoHeldFolder);
// The second half of every save made on its own: the staged file committed, or why staging or
// committing it failed. Errors read "Cannot save <path>: <reason>".
Status commitStaged(Result<AtomicFile> staged, const std::string& path);
// `SavePicture`: writes a 24-bit BMP through saveBmp. An empty picture is not saved.
Status savePicture(const Picture& picture, const std::string& path);
// The 24-bit file staged, as stageBmp does.
Result<AtomicFile> stagePicture(const Picture& picture, const std::string& path,
                                int heldFolder = kNoHeldFolder);

} // namespace core
