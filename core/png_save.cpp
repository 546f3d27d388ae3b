// The PNG save (see png_save.h): the palette chosen without reduction, the file made by the
// PNG encoder and staged as every save is.

#include "core/png_save.h"

#include <utility>
#include <vector>

#include "core/codec/file_io.h"
#include "core/codec/png.h"
#include "core/file_messages.h"

namespace core {

Result<PngStaged> stagePng(const Picture& image, const Picture& loaded, const std::string& path,
                           int heldFolder) {
    Result<std::optional<PaletteChoice>> choice = chooseLosslessPalette(image, loaded);
    if (!choice) return choice.status().withContext(cannotSave(path));
    PngSaved saved;
    Result<std::vector<std::uint8_t>> file = std::vector<std::uint8_t>{};
    if (std::optional<PaletteChoice>& palette = choice.value()) {
        saved = {palette->way, palette->colours};
        file = encodePng(PaletteImage{image.width(), image.height(), std::move(palette->palette),
                                      std::move(palette->indices)});
    } else {
        file = encodePng(image);
    }
    if (!file) return file.status().withContext(cannotSave(path));
    Result<AtomicFile> staged = codec::stageWritten(path, heldFolder, image.width(), image.height(),
                                                    [&](AtomicFile& out) { return out.write(file.value()); });
    if (!staged) return staged.status();
    return PngStaged{std::move(staged).value(), saved};
}

} // namespace core
