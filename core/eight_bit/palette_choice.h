#pragma once
// Choosing the palette of an 8-bit file, tried in this order:
//   unchanged palette  the picture the image was loaded as had a palette, and every colour of
//                      the image is in it: that palette, pixels the user did not change
//                      keeping their index (a skin loaded and saved unchanged keeps its bytes);
//   exact              the image has at most 256 colours: a palette of exactly those;
//   reduced            otherwise libimagequant reduces it to 256 (core/colour_reduction.h).

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "core/picture.h"
#include "core/status.h"

namespace core {

enum class PaletteWay { Unchanged, Exact, Reduced };

// How the way reads in messages: "unchanged palette", "exact", "reduced".
std::string_view paletteWayName(PaletteWay way);

struct PaletteChoice {
    PaletteWay way = PaletteWay::Exact;
    std::vector<Rgb> palette;          // at most 256 entries; a file pads it with black to 256
    std::vector<std::uint8_t> indices; // one a pixel, rows top to bottom
    int colours = 0;                   // distinct colours the indices show
};

// image: what is to be saved, of either kind. loaded: the picture the image began as, its
// pixel (x, y) at the image's (x, y); its palette is kept where it serves (an RGB or empty
// picture offers none). dithering: 0 (none) to 1, for a reduction only. Fails for an empty
// image, or when a reduction fails; the message is the reason alone, to follow
// "Cannot save skin.bmp: ".
Result<PaletteChoice> choosePalette(const Picture& image, const Picture& loaded, float dithering);
// The same tried without the reduction, for a file that must keep every colour: the unchanged
// palette or the exact one, or none when the image has more than 256 colours.
Result<std::optional<PaletteChoice>> chooseLosslessPalette(const Picture& image, const Picture& loaded);

// How many distinct colours a picture shows (0 for an empty one).
std::int64_t countColours(const Picture& picture);

} // namespace core
