// The save formats' table (see save_format.h) and the one way every save goes: the format's
// row stages the file, and a save on its own commits it.

#include "stamps/save_format.h"

#include <string>
#include <utility>

#include "core/codec/bmp.h"
#include "core/eight_bit/eight_bit.h"

namespace stamps {
namespace {

// The game's own format; the palette is chosen as core/eight_bit/palette_choice.h says.
core::Result<StagedSave> stageEightBit(const core::Picture& image, const core::Picture& loaded,
                                       const std::string& path, const SaveOptions& options) {
    core::Result<core::EightBitStaged> staged =
        core::stageEightBit(image, loaded, path, options.dithering, options.heldFolder);
    if (!staged) return staged.status();
    const core::EightBitSaved& saved = staged.value().saved;
    const int colours = saved.colours;
    std::string description = "8-bit, " + std::to_string(colours) +
                              (colours == 1 ? " colour, " : " colours, ") +
                              std::string(core::paletteWayName(saved.way));
    return StagedSave{std::move(staged.value().file), std::move(description)};
}

core::Result<StagedSave> stageTrueColour(const core::Picture& image, const core::Picture&,
                                         const std::string& path, const SaveOptions& options) {
    core::Result<core::AtomicFile> staged = core::stagePicture(image, path, options.heldFolder);
    if (!staged) return staged.status();
    return StagedSave{std::move(staged).value(), "24-bit"};
}

// The dialog's default first: the file the game loads as it is.
// clang-format off
constexpr SaveFormatSpec kFormats[] = {
    {SaveFormat::EightBit, "--save-8bit", "--out-8bit", "8-bit BMP for the game (*.bmp)", stageEightBit},
    {SaveFormat::TrueColour, "--save", "--out", "24-bit BMP (*.bmp)", stageTrueColour},
};
// clang-format on

} // namespace

std::span<const SaveFormatSpec> allSaveFormats() {
    return kFormats;
}

const SaveFormatSpec& saveFormatSpec(SaveFormat format) {
    for (const SaveFormatSpec& row : kFormats)
        if (row.format == format) return row;
    return kFormats[0];
}

core::Result<StagedSave> stageAs(SaveFormat format, const core::Picture& image, const core::Picture& loaded,
                                 const std::string& path, const SaveOptions& options) {
    return saveFormatSpec(format).stage(image, loaded, path, options);
}

core::Result<std::string> saveAs(SaveFormat format, const core::Picture& image, const core::Picture& loaded,
                                 const std::string& path, const SaveOptions& options) {
    core::Result<StagedSave> staged = stageAs(format, image, loaded, path, options);
    if (!staged) return staged.status();
    if (core::Status saved = core::commitStaged(std::move(staged.value().file), path); !saved) return saved;
    return std::move(staged.value().description);
}

} // namespace stamps
