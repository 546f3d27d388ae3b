#pragma once
// The workspace: what the window and quiltane-cli work on for a whole run. Both canvases, the
// row marker that the band copies read, the image library the stamps paint from, the history
// of the edits made through stamps/edits.h, the files the canvases' pictures came from and the
// last mask made from a bare body.

#include <string>

#include "core/canvas.h"
#include "core/library/image_library.h"
#include "stamps/button_table.h"
#include "stamps/file_origin.h"
#include "stamps/history.h"
#include "stamps/row_marker.h"

namespace stamps {

// A mask made from the destination and a bare body (stamps/own_pictures.h): black garment, white
// bare skin, and the name of the body it was made against ("Light Female", "body.bmp").
struct MadeMaskRecord {
    core::Picture mask; // empty before the first
    std::string bodyName;
};

struct Workspace {
    core::Canvas picSource;
    core::Canvas picTarget;
    RowMarker marker;
    core::ImageLibrary* library = &core::ImageLibrary::shared();
    History history;
    FileOrigins files; // see fileOf and setFileOf
    // The last mask made from a bare body. Undo leaves it, so that it can still be kept as a
    // stamp after the press that applied it is undone.
    MadeMaskRecord madeMask;

    core::Canvas& canvas(CanvasId id) { return id == CanvasId::picSource ? picSource : picTarget; }
    const core::Canvas& canvas(CanvasId id) const {
        return id == CanvasId::picSource ? picSource : picTarget;
    }
};

} // namespace stamps
