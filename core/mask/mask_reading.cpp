// Reading a mask picture (see mask_reading.h).

#include "core/mask/mask_reading.h"

#include "core/colour_difference.h"

namespace core {

Result<ReadMask> readMask(const Picture& picture) {
    if (Status sized = checkSkinSized(picture); !sized) return sized;
    GarmentMap map;
    int rounded = 0;
    for (int y = 0; y < kSkinSize; ++y)
        for (int x = 0; x < kSkinSize; ++x) {
            const Rgb colour = picture.pixel(x, y);
            bool garment = colour == kGarmentColour;
            if (!garment && colour != kBareColour) {
                ++rounded;
                garment = labFromRgb(colour).l < kMaskMiddleLightness;
            }
            map.garment[std::size_t(y) * kSkinSize + std::size_t(x)] = garment ? 1 : 0;
        }
    return ReadMask{maskPicture(map), rounded};
}

} // namespace core
