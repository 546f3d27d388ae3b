// The 8-bit save: the palette chosen, the indices moved into the encoder, the file staged and,
// for a save of its own, committed, as every save is.

#include "core/eight_bit/eight_bit.h"

#include <utility>

#include "core/codec/bmp.h"
#include "core/codec/bmp_encoder.h"
#include "core/file_messages.h"

namespace core {

Result<EightBitStaged> stageEightBit(const Picture& image, const Picture& loaded, const std::string& path,
                                     float dithering, int heldFolder) {
    Result<PaletteChoice> choice = choosePalette(image, loaded, dithering);
    if (!choice) return choice.status().withContext(cannotSave(path));
    PaletteChoice& c = choice.value();
    const EightBitSaved saved{c.way, c.colours};
    Result<BmpEncoder> encoder =
        BmpEncoder::palette({image.width(), image.height(), std::move(c.palette), std::move(c.indices)}, 8,
                            BmpEncoder::ColoursUsed::Stated);
    if (!encoder) return encoder.status().withContext(cannotSave(path));
    Result<AtomicFile> file = stageBmp(encoder.value(), path, heldFolder);
    if (!file) return file.status();
    return EightBitStaged{std::move(file).value(), saved};
}

Result<EightBitSaved> saveEightBit(const Picture& image, const Picture& loaded, const std::string& path,
                                   float dithering) {
    Result<EightBitStaged> staged = stageEightBit(image, loaded, path, dithering);
    if (!staged) return staged.status();
    if (Status committed = commitStaged(std::move(staged.value().file), path); !committed) return committed;
    return staged.value().saved;
}

} // namespace core
