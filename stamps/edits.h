#pragma once
// The edits a user makes to a workspace, each kept as one step of its history: pressing a stamp
// or band copy, and loading a picture into a canvas. Undo and redo walk the history. Edits
// made any other way (a canvas's own setters, runButton) leave no step, and the history's steps
// for that canvas then no longer apply.

#include <functional>
#include <string>

#include "core/picture.h"
#include "core/status.h"
#include "stamps/runner.h"

namespace stamps {

// Runs the stamp and records what it painted as one step named by its caption, even when that
// is nothing (a stamp with no paint steps, a copy from outside a small picture): undo then
// takes back the press, changing nothing. A stamp that fails before painting records nothing.
core::Status pressButton(const ButtonSpec& button, Workspace& workspace);

// Runs paint on the workspace and records what it painted as one step named name, as
// pressButton does a stamp: every press of a stamp of the user's own goes through here too.
core::Status paintAsStep(Workspace& workspace, const std::string& name,
                         const std::function<core::Status()>& paint);

// Loads picture into the canvas as one step, "Open " followed by name.
core::Status openPicture(Workspace& workspace, CanvasId canvas, core::Picture picture,
                         const std::string& name);

// False, changing nothing, when there is nothing to undo or redo.
bool undo(Workspace& workspace);
bool redo(Workspace& workspace);

} // namespace stamps
