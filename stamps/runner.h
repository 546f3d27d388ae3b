#pragma once
// The one runner: runs any button's paint steps in order on a workspace.

#include "core/canvas.h"
#include "core/image_library.h"
#include "stamps/button_table.h"
#include "stamps/history.h"
#include "stamps/row_marker.h"

namespace stamps {

// What the stamps read and paint: the two canvases, the row marker and the image library; and
// the history of the edits made through stamps/edits.h, which the window and the command line
// share.
struct Workspace {
    core::Canvas picSource;
    core::Canvas picTarget;
    RowMarker marker;
    core::ImageLibrary* library = &core::ImageLibrary::shared();
    History history;

    core::Canvas& canvas(CanvasId id) { return id == CanvasId::picSource ? picSource : picTarget; }
};

// Runs the steps in order, each reading its picture at that moment. A failing step ends the
// stamp; earlier steps stay painted. The message says what failed, for the user. Records no
// history: pressButton does.
core::Status runButton(const ButtonSpec& button, Workspace& workspace);

} // namespace stamps
