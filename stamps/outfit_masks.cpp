// The outfit masks, found in the button table: the library picture of each outfit mask
// button's first paint, which cuts the garment out of the destination.

#include "stamps/outfit_masks.h"

#include <algorithm>

#include "stamps/button_table.h"

namespace stamps {
namespace {

std::vector<OutfitMask> findMasks() {
    std::vector<OutfitMask> masks;
    for (const ButtonSpec& button : allButtons()) {
        if (button.group != Group::OutfitMasks || button.steps.empty()) continue;
        const PaintStep& cut = button.steps.front();
        if (cut.source != PictureSource::Library) continue;
        const bool known = std::any_of(masks.begin(), masks.end(),
                                       [&](const OutfitMask& m) { return m.image == cut.image; });
        if (!known) masks.push_back({cut.image, button.caption});
    }
    return masks;
}

} // namespace

std::span<const OutfitMask> outfitMasks() {
    static const std::vector<OutfitMask> masks = findMasks();
    return masks;
}

const OutfitMask* findOutfitMask(std::string_view pictureName) {
    for (const OutfitMask& mask : outfitMasks())
        if (core::imageName(mask.image) == pictureName) return &mask;
    return nullptr;
}

} // namespace stamps
