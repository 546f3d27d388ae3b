#pragma once
// The formats a picture is saved in, as data: one row per format holds what it writes and the
// words every front end uses for it: quiltane-cli's save and batch options, the Save As
// dialog's file type and what the window's status line says of a save. A new format is its
// encoder in core and one row here; the dialog and the command line follow the table.
//
// Rows that share quiltane-cli's options are told apart by the file's name: --save writes a
// 24-bit BMP, or a PNG to a name ending in ".png" (see formatForPath).

#include <span>
#include <string>
#include <string_view>

#include "core/atomic_file.h"
#include "core/codec/picture_file.h"
#include "core/picture.h"
#include "core/status.h"

namespace stamps {

enum class SaveFormat { EightBit, TrueColour, Png };

// What a save may be asked beyond its format and path; each format reads what applies to it.
struct SaveOptions {
    float dithering = 0; // 0 (none) to 1: an 8-bit save that reduces colours dithers this much
    // The path's folder held open by the caller, the file made in it by name whatever the
    // folder's name comes to name (see core::AtomicFile::create); none: found by the path.
    int heldFolder = core::kNoHeldFolder;
};

// A file written in full beside its target, not yet committed (see core/atomic_file.h), and
// what the status line says of it: "8-bit, 231 colours, exact", "24-bit", "PNG, 24-bit".
struct StagedSave {
    core::AtomicFile file;
    std::string description;
};

struct SaveFormatSpec {
    SaveFormat format;
    core::PictureFormat file;        // the kind of file it writes, whose extension its names have
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
// ".bmp", ".png": the ending of the names of the format's files.
std::string_view extensionOf(SaveFormat format);

// The format a save asked for as `asked` writes to path: of the rows that share asked's
// quiltane-cli save option, the one whose files' ending path has in any case, else asked.
// --save skin.png writes a PNG, --save skin.bmp and --save skin a 24-bit BMP, --save-8bit
// skin.png an 8-bit BMP.
SaveFormat formatForPath(SaveFormat asked, std::string_view path);
// The name a batch gives its output of the input named `input` (a file name, no folder) when it
// saves in `format`: the input's own, unless it ends in the extension of another kind of file
// than the one formatForPath then writes, which becomes the format's own. With --out,
// skin.png stays skin.png (a PNG); with --out-8bit it becomes skin.bmp.
std::string batchOutputName(SaveFormat format, const std::string& input);
// image staged in the format at path, as the format's row does it.
core::Result<StagedSave> stageAs(SaveFormat format, const core::Picture& image, const core::Picture& loaded,
                                 const std::string& path, const SaveOptions& options = {});
// The same committed, as a save on its own: what the status line says of it, or why it failed
// ("Cannot save <path>: <reason>"; the old file is then left as it was).
core::Result<std::string> saveAs(SaveFormat format, const core::Picture& image, const core::Picture& loaded,
                                 const std::string& path, const SaveOptions& options = {});

} // namespace stamps
