// The save formats' table (see save_format.h) and the one way every save goes: the format's
// row stages the file, and a save on its own commits it.

#include "stamps/save_format.h"

#include <string>
#include <utility>

#include "core/codec/bmp.h"
#include "core/eight_bit/eight_bit.h"
#include "core/png_save.h"

namespace stamps {
namespace {

// "3 colours, exact": a palette's colours and how it was chosen.
std::string paletteWords(int colours, core::PaletteWay way) {
    return std::to_string(colours) + (colours == 1 ? " colour, " : " colours, ") +
           std::string(core::paletteWayName(way));
}

// The game's own format; the palette is chosen as core/eight_bit/palette_choice.h says.
core::Result<StagedSave> stageEightBit(const core::Picture& image, const core::Picture& loaded,
                                       const std::string& path, const SaveOptions& options) {
    core::Result<core::EightBitStaged> staged =
        core::stageEightBit(image, loaded, path, options.dithering, options.heldFolder);
    if (!staged) return staged.status();
    const core::EightBitSaved& saved = staged.value().saved;
    return StagedSave{std::move(staged.value().file), "8-bit, " + paletteWords(saved.colours, saved.way)};
}

core::Result<StagedSave> stageTrueColour(const core::Picture& image, const core::Picture&,
                                         const std::string& path, const SaveOptions& options) {
    core::Result<core::AtomicFile> staged = core::stagePicture(image, path, options.heldFolder);
    if (!staged) return staged.status();
    return StagedSave{std::move(staged).value(), "24-bit"};
}

// Every colour kept: a palette file of at most 256 colours, else true colour.
core::Result<StagedSave> stagePng(const core::Picture& image, const core::Picture& loaded,
                                  const std::string& path, const SaveOptions& options) {
    core::Result<core::PngStaged> staged = core::stagePng(image, loaded, path, options.heldFolder);
    if (!staged) return staged.status();
    const core::PngSaved& saved = staged.value().saved;
    return StagedSave{std::move(staged.value().file),
                      saved.palette ? "PNG, " + paletteWords(saved.colours, *saved.palette) : "PNG, 24-bit"};
}

// The dialog's default first: the file the game loads as it is.
// clang-format off
constexpr SaveFormatSpec kFormats[] = {
    {SaveFormat::EightBit, core::PictureFormat::Bmp, "--save-8bit", "--out-8bit", "8-bit BMP for the game (*.bmp)",
     stageEightBit},
    {SaveFormat::TrueColour, core::PictureFormat::Bmp, "--save", "--out", "24-bit BMP (*.bmp)", stageTrueColour},
    {SaveFormat::Png, core::PictureFormat::Png, "--save", "--out", "PNG (*.png)", stagePng},
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

std::string_view extensionOf(SaveFormat format) {
    return core::pictureFormatSpec(saveFormatSpec(format).file).extension;
}

SaveFormat formatForPath(SaveFormat asked, std::string_view path) {
    const std::string_view option = saveFormatSpec(asked).cliSaveOption;
    for (const SaveFormatSpec& row : kFormats)
        if (row.cliSaveOption == option && core::hasExtension(path, row.file)) return row.format;
    return asked;
}

std::string batchOutputName(SaveFormat format, const std::string& input) {
    const core::PictureFormat written = saveFormatSpec(formatForPath(format, input)).file;
    for (const core::PictureFormatSpec& other : core::allPictureFormats())
        if (other.format != written && core::hasExtension(input, other.format))
            return input.substr(0, input.size() - other.extension.size()) +
                   std::string(core::pictureFormatSpec(written).extension);
    return input;
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
