// Opening and saving on a workspace (see files.h): the BMP reader, the history's step and the
// save formats' table put together once.

#include "stamps/files.h"

#include <filesystem>
#include <utility>

#include "core/codec/bmp.h"
#include "stamps/edits.h"

namespace stamps {

Opened openFile(Workspace& workspace, CanvasId canvas, const std::string& path) {
    core::Result<core::Picture> picture = core::loadPicture(path);
    if (!picture) return {false, picture.status()};
    core::Status status = openPicture(workspace, canvas, std::move(picture).value(),
                                      std::filesystem::path(path).filename().string());
    setFileOf(workspace, canvas, {path, ownFormat(path)});
    return {true, std::move(status)};
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

core::Result<std::string> convertFile(SaveFormat format, const std::string& in, const std::string& out,
                                      const SaveOptions& options) {
    core::Result<core::Picture> picture = core::loadPicture(in);
    if (!picture) return picture.status();
    return saveAs(format, picture.value(), picture.value(), out, options);
}

} // namespace stamps
