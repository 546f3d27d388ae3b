#pragma once
// Reading a user's mask picture as the cookie cutter needs it: black garment and white bare
// skin. A mask drawn with a soft brush has grey edges; each pixel that is neither pure black nor
// pure white is read by its lightness (CIE L*, 0 black to 100 white): below the middle as
// garment, from it on as bare skin, and counted, so the user can be told.

#include "core/mask/garment_map.h"

namespace core {

// The lightness (L*) from which a grey pixel reads as white.
inline constexpr double kMaskMiddleLightness = 50.0;

struct ReadMask {
    Picture mask;    // black and white only (garment_map.h)
    int rounded = 0; // pixels that were neither black nor white
};

// A skin-sized picture of any kind (a 1-, 8- or 24-bit file) read as a mask; a picture of
// another size fails with the reason of checkSkinSized.
Result<ReadMask> readMask(const Picture& picture);

} // namespace core
