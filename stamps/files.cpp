// Opening and saving on a workspace (see files.h): the picture loader, the history's step and
// the save formats' table put together once.

#include "stamps/files.h"

#include <filesystem>
#include <utility>

#include "core/codec/picture_file.h"
#include "stamps/edits.h"

namespace stamps {

namespace {

// "<path>: <note>", or empty for a file read as it is.
std::string noteOn(const std::string& path, const core::LoadedPicture& loaded) {
    return loaded.note.empty() ? std::string() : path + ": " + loaded.note;
}

} // namespace

Opened openFile(Workspace& workspace, CanvasId canvas, const std::string& path) {
    core::Result<core::LoadedPicture> read = core::readPictureFile(path);
    if (!read) return {false, read.status()};
    core::LoadedPicture& loaded = read.value();
    core::Status status = openPicture(workspace, canvas, std::move(loaded.picture),
                                      std::filesystem::path(path).filename().string());
    setFileOf(workspace, canvas, {path, ownFormat(path)});
    return {true, std::move(status), noteOn(path, loaded)};
}

core::Result<std::string> saveDestination(const Workspace& workspace, SaveFormat format,
                                          const std::string& path, const SaveOptions& options) {
    const core::Canvas& target = workspace.picTarget;
    return saveAs(format, target.image(), target.picture(), path, options);
}

core::Result<StagedSave> stageDestination(const Workspace& workspace, SaveFormat format,
                                          const std::string& path, const SaveOptions& options) {
    const core::Canvas& target = workspace.picTarget;
    return stageAs(format, target.image(), target.picture(), path, options);
}

core::Result<Converted> convertFile(SaveFormat format, const std::string& in, const std::string& out,
                                    const SaveOptions& options) {
    core::Result<core::LoadedPicture> read = core::readPictureFile(in);
    if (!read) return read.status();
    const core::Picture& picture = read.value().picture;
    core::Result<std::string> saved = saveAs(format, picture, picture, out, options);
    if (!saved) return saved.status();
    return Converted{std::move(saved).value(), noteOn(in, read.value())};
}

} // namespace stamps
