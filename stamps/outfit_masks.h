#pragma once
// The library's outfit masks, as the button table paints them: for limiting a recolour to a
// garment, chosen by the picture's name (quiltane-cli --within imgBikini) or from a list.

#include <span>
#include <string_view>
#include <vector>

#include "core/library/image_library.h"

namespace stamps {

struct OutfitMask {
    core::ImageId image;
    std::string_view caption; // of the first outfit mask button that cuts with it ("Bikini 402")
};

// Every picture an outfit mask button cuts with, once each, in the table's order.
std::span<const OutfitMask> outfitMasks();

// The mask whose picture has this name ("imgBikini"), or null.
const OutfitMask* findOutfitMask(std::string_view pictureName);

} // namespace stamps
