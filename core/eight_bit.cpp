#include "core/eight_bit.h"

#include "core/bmp.h"
#include "core/bmp_encoder.h"

namespace core {

Result<EightBitSaved> saveEightBit(const Picture& image, const Picture& loaded, const std::string& path,
                                   float dithering) {
    const std::string prefix = "Cannot save " + path + ": ";
    Result<PaletteChoice> choice = choosePalette(image, loaded, dithering);
    if (!choice) {
        const Status& failed = choice.status();
        return failed.isOutOfMemory() ? Status::outOfMemory(prefix + failed.message())
                                      : Status::error(prefix + failed.message());
    }
    const PaletteChoice& c = choice.value();
    Result<BmpEncoder> encoder = BmpEncoder::palette({image.width(), image.height(), c.palette, c.indices}, 8,
                                                     BmpEncoder::ColoursUsed::Stated);
    if (!encoder) return Status::error(prefix + encoder.message());
    if (Status saved = saveBmp(encoder.value(), path); !saved) return saved;
    return EightBitSaved{c.way, c.colours};
}

} // namespace core
