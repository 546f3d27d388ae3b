// Mask pictures and files (see garment_map.h).

#include "core/mask/garment_map.h"

#include <algorithm>
#include <utility>

#include "core/codec/bmp.h"
#include "core/codec/bmp_encoder.h"
#include "core/file_messages.h"

namespace core {
namespace {

// Palette indices of a mask picture and file.
constexpr std::uint8_t kGarmentIndex = 0, kBareIndex = 1;
constexpr Rgb kMaskPalette[] = {kGarmentColour, kBareColour};

std::vector<std::uint8_t> maskIndices(const GarmentMap& map) {
    std::vector<std::uint8_t> indices(map.garment.size());
    std::transform(map.garment.begin(), map.garment.end(), indices.begin(),
                   [](std::uint8_t garment) { return garment ? kGarmentIndex : kBareIndex; });
    return indices;
}

} // namespace

int GarmentMap::garmentPixels() const {
    return int(std::count(garment.begin(), garment.end(), std::uint8_t(1)));
}

Picture maskPicture(const GarmentMap& map) {
    return Picture(kSkinSize, kSkinSize, Palette(kMaskPalette), maskIndices(map));
}

GarmentMap garmentOf(const Picture& mask) {
    GarmentMap map;
    std::vector<std::uint8_t> scratch(std::size_t(kSkinSize) * Picture::kChannels);
    for (int y = 0; y < kSkinSize; ++y) {
        const std::uint8_t* p = mask.rgbRow(y, scratch.data());
        for (int x = 0; x < kSkinSize; ++x, p += Picture::kChannels)
            map.garment[std::size_t(y) * kSkinSize + std::size_t(x)] =
                Rgb{p[0], p[1], p[2]} == kGarmentColour ? 1 : 0;
    }
    return map;
}

Result<AtomicFile> stageMask(const Picture& mask, const std::string& path) {
    if (mask.isEmpty()) return noPictureToSave().withContext(cannotSave(path));
    Result<BmpEncoder> encoder = BmpEncoder::palette({kSkinSize,
                                                      kSkinSize,
                                                      {std::begin(kMaskPalette), std::end(kMaskPalette)},
                                                      maskIndices(garmentOf(mask))},
                                                     1, BmpEncoder::ColoursUsed::Zero);
    if (!encoder) return encoder.status().withContext(cannotSave(path));
    return stageBmp(encoder.value(), path);
}

Status saveMask(const Picture& mask, const std::string& path) {
    return commitStaged(stageMask(mask, path), path);
}

Status checkSkinSized(const Picture& picture) {
    if (picture.width() == kSkinSize && picture.height() == kSkinSize) return Status::ok();
    const std::string size = std::to_string(kSkinSize);
    return Status::input("it is " + std::to_string(picture.width()) + " × " +
                         std::to_string(picture.height()) + " pixels, not " + size + " × " + size + ".");
}

} // namespace core
