#pragma once
// Picture files of every format the codec reads, BMP and PNG, as one table: the loader that
// every front end opens files with picks a file's format by its first bytes, never by its
// name, so that wherever a BMP file opens a PNG file opens too. A picture is read from bytes
// (easy to test and fuzz); a file is a thin wrapper that checks the header on the file's first
// bytes before reading the rest.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "core/atomic_file.h"
#include "core/picture.h"
#include "core/status.h"

namespace core {

enum class PictureFormat { Bmp, Png };

// What a picture file's header says, as read (for quiltane-cli --info).
struct PictureInfo {
    PictureFormat format = PictureFormat::Bmp;
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;    // as the file stores a pixel: 8 for 256 palette entries, 32 for RGBA
    std::string compression; // BMP: "none", "RLE8", "bit fields", ...; PNG: "deflate", with
                             // ", interlaced" for an interlaced file
};

// A picture as a file held it, and what the user should be told of how it was read.
struct LoadedPicture {
    Picture picture;
    PictureFormat format = PictureFormat::Bmp;
    // Empty, or what the picture lost on the way in, as a reason to follow the file's name
    // and a colon: kFlattenedNote.
    std::string note;
};

// The note of a picture with transparent or translucent pixels: the picture has none, so each
// is laid onto white, as a paint program exports such a picture without transparency.
inline constexpr std::string_view kFlattenedNote = "its transparency was flattened onto white.";

// A format as the user sees it: its name and the ending its files' names have.
struct PictureFormatSpec {
    PictureFormat format;
    std::string_view name;      // "BMP"
    std::string_view extension; // ".bmp", in lower case; names are matched without regard to case
};
// Every format the loader reads, BMP first.
std::span<const PictureFormatSpec> allPictureFormats();
const PictureFormatSpec& pictureFormatSpec(PictureFormat format);
// Whether the file name ends in the format's extension, in any case ("SKIN.PNG").
bool hasExtension(std::string_view name, PictureFormat format);

// Decodes a whole file held in memory, in the format its first bytes show. A failure's message
// is the reason alone ("it is not a BMP or PNG file."), written to follow "Cannot open
// skin.png: ", as readPictureFile does.
Result<LoadedPicture> decodePicture(std::span<const std::uint8_t> bytes);

// Reads a picture file of any format. Errors name the file and the reason: "Cannot open
// <path>: <reason>". The header is checked on the file's first bytes, before the rest is read;
// reading then needs the file's size plus what its decoder needs (3 bytes a pixel, 7 for a PNG
// file with transparency). When memory runs out the load fails with a message that gives the
// size ("... not enough memory to open it (32768 × 2048).").
Result<LoadedPicture> readPictureFile(const std::string& path);
// `LoadPicture`: the picture of readPictureFile alone, for callers that have no one to tell.
Result<Picture> loadPicture(const std::string& path);
// What a picture file's header says, read with the same checks and messages as readPictureFile.
Result<PictureInfo> readPictureInfoFile(const std::string& path);

} // namespace core
