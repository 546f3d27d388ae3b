#pragma once
// The one runner: runs any button's paint steps in order on a workspace, and the same steps with
// a picture of the user's own.

#include <span>

#include "core/status.h"
#include "stamps/button_table.h"
#include "stamps/workspace.h"

namespace stamps {

// Runs the steps in order, each reading its picture at that moment. A failing step ends the
// stamp; earlier steps stay painted. The message says what failed, for the user. Records no
// history: pressButton does.
core::Status runButton(const ButtonSpec& button, Workspace& workspace);

// Runs steps as runButton does a stamp's; a step whose picture is PictureSource::Given paints
// given (an empty picture fails that step).
core::Status runSteps(std::span<const PaintStep> steps, Workspace& workspace,
                      const core::Picture& given = {});

} // namespace stamps
