#pragma once
// The file operations every front end shares on a workspace: opening a file into a canvas as
// a step of the history, and saving the destination canvas in a format of the table in
// stamps/save_format.h, on its own or staged for a batch to commit with others. The window,
// quiltane-cli and its batches all open and save through these.

#include <string>

#include "core/status.h"
#include "stamps/save_format.h"
#include "stamps/workspace.h"

namespace stamps {

// What opening a file did. A file that cannot be read leaves the workspace as it was; once the
// picture is loaded it stays loaded, even when the history has no memory for the step.
struct Opened {
    bool loaded = false;                      // the file's picture is on the canvas
    core::Status status = core::Status::ok(); // why it is not ("Cannot open <path>: <reason>"), or
                                              // that the history could not keep the step
    // Empty, or what the user should be told of a file that opened but lost something on the
    // way in, not a failure: "<path>: its transparency was flattened onto white."
    std::string note;
};

// Loads the picture file at path (BMP or PNG, told by its first bytes) into the canvas as one
// step of the history, named "Open " and the file's name; the canvas's picture then comes from
// that file (fileOf), in its own format.
Opened openFile(Workspace& workspace, CanvasId canvas, const std::string& path);

// Saves the destination canvas's image at path in the format; the picture it was loaded as
// lends its palette where the format takes one. What the status line says of the save
// ("8-bit, 231 colours, exact"), or why it failed ("Cannot save <path>: <reason>").
core::Result<std::string> saveDestination(const Workspace& workspace, SaveFormat format,
                                          const std::string& path, const SaveOptions& options = {});
// The same file staged, not yet committed: for saves made durable together
// (core::AtomicFile::commitTogether).
core::Result<StagedSave> stageDestination(const Workspace& workspace, SaveFormat format,
                                          const std::string& path, const SaveOptions& options = {});

// What a conversion did: what the status line would say of the save, and the note of the
// input's opening (see Opened), if any.
struct Converted {
    std::string description;
    std::string note;
};

// The picture file at in saved at out in the format, whole and at its own size, its own
// palette kept where the format takes one; what it did, or why it failed.
core::Result<Converted> convertFile(SaveFormat format, const std::string& in, const std::string& out,
                                    const SaveOptions& options = {});

} // namespace stamps
