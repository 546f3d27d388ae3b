#pragma once
// The 8-bit save: the format of the game's own skins, an uncompressed BMP of 8 bits a pixel
// with a palette of exactly 256 entries (unused entries black, colours-used field 256) and
// bottom-up rows padded to 4 bytes; 66,614 bytes for a 256 x 256 skin. The palette is chosen
// as core/eight_bit/palette_choice.h says; the file is written by the one BMP writer with the same
// atomic replacement and error messages as the 24-bit save.

#include <string>

#include "core/atomic_file.h"
#include "core/eight_bit/palette_choice.h"
#include "core/picture.h"
#include "core/status.h"

namespace core {

// What a save did, for the window to tell: "8-bit, 231 colours, exact".
struct EightBitSaved {
    PaletteWay way = PaletteWay::Exact;
    int colours = 0;
};

// An 8-bit file staged (see stageBmp in core/codec/bmp.h), and what its save did.
struct EightBitStaged {
    AtomicFile file;
    EightBitSaved saved;
};

// Writes image as an 8-bit BMP beside path, not yet committed: for saves made durable together,
// and the first half of saveEightBit. loaded: the picture the image began as, whose palette is
// kept where it serves (see choosePalette). dithering: 0 to 1, for a reduction only. heldFolder:
// as stageBmp's. Errors read "Cannot save <path>: <reason>"; an empty image is not saved.
Result<EightBitStaged> stageEightBit(const Picture& image, const Picture& loaded, const std::string& path,
                                     float dithering = 0, int heldFolder = kNoHeldFolder);
// The staged file committed: the image saved as an 8-bit BMP at path.
Result<EightBitSaved> saveEightBit(const Picture& image, const Picture& loaded, const std::string& path,
                                   float dithering = 0);

} // namespace core
