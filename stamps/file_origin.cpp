// The files of a workspace's pictures (see file_origin.h): kept beside the pictures, found by
// the picture's identity, and forgotten with the last copy the canvases and history hold.

#include "stamps/file_origin.h"

#include <algorithm>

#include "core/codec/picture_file.h"
#include "stamps/workspace.h"

namespace stamps {

SaveFormat ownFormat(const std::string& path) {
    const core::Result<core::PictureInfo> info = core::readPictureInfoFile(path);
    if (info && info.value().format == core::PictureFormat::Png) return SaveFormat::Png;
    return info && info.value().bitsPerPixel == 8 ? SaveFormat::EightBit : SaveFormat::TrueColour;
}

const FileOrigin* FileOrigins::of(const core::Picture& picture) const {
    for (const Entry& entry : m_entries)
        if (entry.picture.isSameAs(picture)) return &entry.origin;
    return nullptr;
}

void FileOrigins::set(const Workspace& workspace, const core::Picture& picture, FileOrigin origin) {
    // Kept no longer than the pictures themselves, so that a file's picture the history has let
    // go takes no memory here.
    std::erase_if(m_entries, [&](const Entry& entry) {
        return entry.picture.isSameAs(picture) || !(entry.picture.isSameAs(workspace.picSource.picture()) ||
                                                    entry.picture.isSameAs(workspace.picTarget.picture()) ||
                                                    workspace.history.keeps(entry.picture));
    });
    m_entries.push_back({picture, std::move(origin)});
}

const FileOrigin* fileOf(const Workspace& workspace, CanvasId canvas) {
    return workspace.files.of(workspace.canvas(canvas).picture());
}

void setFileOf(Workspace& workspace, CanvasId canvas, FileOrigin origin) {
    workspace.files.set(workspace, workspace.canvas(canvas).picture(), std::move(origin));
}

} // namespace stamps
