#include "tools/draw_library/library_drawing.h"

#include <map>
#include <stdexcept>
#include <string>

#include "core/library/image_library.h"
#include "tools/draw_library/accessories.h"
#include "tools/draw_library/bodies.h"
#include "tools/draw_library/strip.h"

namespace draw {

DrawnPicture maskPicture(const MaskGrid& grid, bool trueColour) {
    DrawnPicture picture;
    picture.width = core::kSkinSize;
    picture.height = core::kSkinSize;
    picture.bitsPerPixel = trueColour ? 24 : 1;
    if (!trueColour) picture.palette = {kBlack, kWhite};
    for (int y = 0; y < core::kSkinSize; ++y)
        for (int x = 0; x < core::kSkinSize; ++x) {
            const bool black = grid.isBlack(x, y);
            if (trueColour)
                picture.pixels.push_back(black ? kBlack : kWhite);
            else
                picture.indices.push_back(black ? 0 : 1);
        }
    return picture;
}

std::vector<DrawEntry> libraryPictures() {
    std::map<std::string, DrawEntry, std::less<>> drawn;
    auto add = [&drawn](DrawEntry entry) {
        if (!drawn.emplace(std::string(entry.name), entry).second)
            throw std::logic_error("Library drawing: " + std::string(entry.name) + " is drawn twice");
    };
    for (std::vector<MaskEntry> masks : {firstMasks(), secondMasks()})
        for (const MaskEntry& mask : masks)
            add({mask.name, [mask] { return maskPicture(mask.draw(), mask.name == "imgBimbo"); }});
    for (DrawEntry& body : bodyPictures())
        add(std::move(body));
    for (DrawEntry& accessory : accessoryPictures())
        add(std::move(accessory));

    std::vector<DrawEntry> pictures;
    for (int i = 0; i < core::kImageCount; ++i) {
        const std::string_view name = core::imageName(core::ImageId(i));
        const auto found = drawn.find(name);
        if (found == drawn.end())
            throw std::logic_error("Library drawing: " + std::string(name) + " is not drawn");
        pictures.push_back(found->second);
        drawn.erase(found);
    }
    if (!drawn.empty())
        throw std::logic_error("Library drawing: " + drawn.begin()->first + " is not a library image");
    return pictures;
}

} // namespace draw
