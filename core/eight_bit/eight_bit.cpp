#include "core/eight_bit/eight_bit.h"

#include <functional>
#include <optional>

#include "core/codec/bmp.h"
#include "core/codec/bmp_encoder.h"
#include "core/file_messages.h"

namespace core {

namespace {

// Chooses the palette and hands the file's encoder to write, which saves or stages it.
Result<EightBitSaved> writeEightBit(const Picture& image, const Picture& loaded, const std::string& path,
                                    float dithering, const std::function<Status(const BmpEncoder&)>& write) {
    Result<PaletteChoice> choice = choosePalette(image, loaded, dithering);
    if (!choice) return choice.status().withContext(cannotSave(path));
    const PaletteChoice& c = choice.value();
    Result<BmpEncoder> encoder = BmpEncoder::palette({image.width(), image.height(), c.palette, c.indices}, 8,
                                                     BmpEncoder::ColoursUsed::Stated);
    if (!encoder) return encoder.status().withContext(cannotSave(path));
    if (Status written = write(encoder.value()); !written) return written;
    return EightBitSaved{c.way, c.colours};
}

} // namespace

Result<EightBitSaved> saveEightBit(const Picture& image, const Picture& loaded, const std::string& path,
                                   float dithering) {
    return writeEightBit(image, loaded, path, dithering,
                         [&](const BmpEncoder& encoder) { return saveBmp(encoder, path); });
}

Result<AtomicFile> stageEightBit(const Picture& image, const Picture& loaded, const std::string& path,
                                 float dithering) {
    std::optional<AtomicFile> staged;
    Result<EightBitSaved> written =
        writeEightBit(image, loaded, path, dithering, [&](const BmpEncoder& encoder) {
            Result<AtomicFile> file = stageBmp(encoder, path);
            if (!file) return file.status();
            staged.emplace(std::move(file).value());
            return Status::ok();
        });
    if (!written) return written.status();
    return std::move(*staged);
}

} // namespace core
