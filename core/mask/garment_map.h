#pragma once
// An outfit mask as the mask maker and the mask reader hold it, and as a picture. A mask is a
// skin-sized map of garment and bare skin; as a picture it has the library masks' form: an
// indexed picture whose palette entry 0 is black (the garment, kept by the cookie cutter) and
// entry 1 white (bare skin, which a body fill paints), saved as a 1-bit BMP.

#include <cstdint>
#include <string>
#include <vector>

#include "core/atomic_file.h"
#include "core/picture.h"
#include "core/skin_layout.h"
#include "core/status.h"

namespace core {

// The colours of a mask picture.
inline constexpr Rgb kGarmentColour{0, 0, 0};
inline constexpr Rgb kBareColour{255, 255, 255};

struct GarmentMap {
    static constexpr int kPixels = kSkinSize * kSkinSize;

    // One byte a pixel, rows top to bottom: 1 where the garment is, 0 where bare skin shows.
    std::vector<std::uint8_t> garment = std::vector<std::uint8_t>(kPixels, 0);

    bool at(int x, int y) const { return garment[std::size_t(y) * kSkinSize + std::size_t(x)] != 0; }
    int garmentPixels() const;
};

// The map as a mask picture: black garment, white bare skin, indexed as described above.
Picture maskPicture(const GarmentMap& map);
// A mask picture's map: its black pixels are the garment. The picture is skin-sized.
GarmentMap garmentOf(const Picture& mask);

// A mask picture written as a 1-bit BMP, palette entry 0 black and entry 1 white, as the
// library's masks are; staged beside path, or saved there through the atomic save. Errors read
// "Cannot save <path>: <reason>".
Result<AtomicFile> stageMask(const Picture& mask, const std::string& path);
Status saveMask(const Picture& mask, const std::string& path);

// Whether a mask, body or accessory picture has the skin's size; the reason when not ("it is
// 300 × 200 pixels, not 256 × 256."), to follow "Cannot use <file>: ".
Status checkSkinSized(const Picture& picture);

} // namespace core
