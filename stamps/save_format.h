#pragma once
// The formats a picture is saved in, as data: one row per format holds what it writes and the
// words every front end uses for it: quiltane-cli's save and batch options, the Save As
// dialog's file type and what the window's status line says of a save. A new format is its
// encoder in core and one row here; the dialog and the command line follow the table.

#include <span>
#include <string>
#include <string_view>

#include "core/atomic_file.h"
#include "core/picture.h"
#include "core/status.h"

namespace stamps {

enum class SaveFormat { EightBit, TrueColour };

// What a save may be asked beyond its format and path; each format reads what applies to it.
struct SaveOptions {
    float dithering = 0; // 0 (none) to 1: an 8-bit save that reduces colours dithers this much
    // The path's folder held open by the caller, the file made in it by name whatever the
    // folder's name comes to name (see core::AtomicFile::create); none: found by the path.
    int heldFolder = core::kNoHeldFolder;
};

// A file written in full beside its target, not yet committed (see core/atomic_file.h), and
// what the status line says of it: "8-bit, 231 colours, exact", "24-bit".
struct StagedSave {
    core::AtomicFile file;
    std::string description;
};

struct SaveFormatSpec {
    SaveFormat format;
    std::string_view cliSaveOption;  // quiltane-cli's save of the destination canvas: "--save-8bit"
    std::string_view batchOutOption; // quiltane-cli's output folder of a batch: "--out-8bit"
    std::string_view dialogFilter;   // the Save As dialog's file type: "8-bit BMP for the game (*.bmp)"
    // Writes image beside path. loaded: the picture the image began as, which a format may
    // take its palette from. Errors read "Cannot save <path>: <reason>".
    core::Result<StagedSave> (*stage)(const core::Picture& image, const core::Picture& loaded,
                                      const std::string& path, const SaveOptions& options);
};

// Every format, the Save As dialog's default first.
std::span<const SaveFormatSpec> allSaveFormats();
const SaveFormatSpec& saveFormatSpec(SaveFormat format);

// image staged in the format at path, as the format's row does it.
core::Result<StagedSave> stageAs(SaveFormat format, const core::Picture& image, const core::Picture& loaded,
                                 const std::string& path, const SaveOptions& options = {});
// The same committed, as a save on its own: what the status line says of it, or why it failed
// ("Cannot save <path>: <reason>"; the old file is then left as it was).
core::Result<std::string> saveAs(SaveFormat format, const core::Picture& image, const core::Picture& loaded,
                                 const std::string& path, const SaveOptions& options = {});

} // namespace stamps
