#pragma once
// The one runner: runs any button's paint steps in order on a workspace.

#include "core/status.h"
#include "stamps/button_table.h"
#include "stamps/workspace.h"

namespace stamps {

// Runs the steps in order, each reading its picture at that moment. A failing step ends the
// stamp; earlier steps stay painted. The message says what failed, for the user. Records no
// history: pressButton does.
core::Status runButton(const ButtonSpec& button, Workspace& workspace);

} // namespace stamps
