#pragma once
// The workspace: what the window and quiltane-cli work on for a whole run. Both canvases, the
// row marker that the band copies read, the image library the stamps paint from, the history
// of the edits made through stamps/edits.h, and the files the canvases' pictures came from.

#include "core/canvas.h"
#include "core/library/image_library.h"
#include "stamps/button_table.h"
#include "stamps/file_origin.h"
#include "stamps/history.h"
#include "stamps/row_marker.h"

namespace stamps {

struct Workspace {
    core::Canvas picSource;
    core::Canvas picTarget;
    RowMarker marker;
    core::ImageLibrary* library = &core::ImageLibrary::shared();
    History history;
    FileOrigins files; // see fileOf and setFileOf

    core::Canvas& canvas(CanvasId id) { return id == CanvasId::picSource ? picSource : picTarget; }
    const core::Canvas& canvas(CanvasId id) const {
        return id == CanvasId::picSource ? picSource : picTarget;
    }
};

} // namespace stamps
