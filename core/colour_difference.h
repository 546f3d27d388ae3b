#pragma once
// Colour difference as the eye sees it: sRGB pixels to CIE L*a*b* (D65 white) and the CIEDE2000
// difference between two L*a*b* colours. A difference of about 1 is just noticeable side by
// side; skin pixels that meet across a seam should stay within a few units, and a skin saved
// as 8 bits moves its colours by about as much. The preview's seam check and the mask maker
// measure with it.

#include "core/picture.h"

namespace core {

struct Lab {
    double l = 0, a = 0, b = 0; // L* 0 (black) to 100 (white); a*, b* about -128 to 127
};

// An 8-bit sRGB colour in CIE L*a*b*, relative to the D65 white of sRGB.
Lab labFromRgb(Rgb rgb);

// CIEDE2000 with the reference conditions' weights (kL = kC = kH = 1).
double deltaE2000(const Lab& first, const Lab& second);

} // namespace core
