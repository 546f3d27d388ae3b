#pragma once
// The PNG save: a palette PNG when the image has at most 256 colours, its palette chosen as an
// 8-bit save's is but never by a reduction (the palette of the picture it was loaded as, its
// unchanged pixels keeping their index, else exactly its colours), and a true-colour PNG
// otherwise. Either keeps every colour. The file is written with the same atomic replacement
// and error messages as every save.

#include <optional>
#include <string>

#include "core/atomic_file.h"
#include "core/eight_bit/palette_choice.h"
#include "core/picture.h"
#include "core/status.h"

namespace core {

// What a save did, for the window to tell: a palette and how it was chosen, or true colour.
struct PngSaved {
    std::optional<PaletteWay> palette; // none: a true-colour file
    int colours = 0;                   // of a palette file: the distinct colours it shows
};

// A PNG file staged (see stageBmp in core/codec/bmp.h), and what its save did.
struct PngStaged {
    AtomicFile file;
    PngSaved saved;
};

// Writes image as a PNG file beside path, not yet committed. loaded: the picture the image
// began as, whose palette is kept where it serves (see chooseLosslessPalette). Errors read
// "Cannot save <path>: <reason>"; an empty image is not saved. heldFolder: path's folder held
// open by the caller, the file made in it (see AtomicFile::create).
Result<PngStaged> stagePng(const Picture& image, const Picture& loaded, const std::string& path,
                           int heldFolder = kNoHeldFolder);

} // namespace core
