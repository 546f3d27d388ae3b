#pragma once
// The six bare-body skins: 256 x 256, 8-bit with a 256-entry palette, laid out like a skin
// (arms in columns 0-89, back in 90-172, front in 173-255, feet in the bottom rows).
// The three female skins share one index map and differ only in their palettes, and so do
// the three male skins.

#include <vector>

#include "tools/draw_library/drawn_picture.h"

namespace draw {

// In holder order: imgDarkBody, imgMedBody, imgLightBody, imgMaleLight, imgMaleDark, imgMaleMed.
std::vector<DrawEntry> bodyPictures();

} // namespace draw
