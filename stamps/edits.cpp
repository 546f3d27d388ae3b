#include "stamps/edits.h"

#include <new>
#include <utility>

#include "core/file_messages.h"

namespace stamps {
namespace {

constexpr const char* kNoMemoryForUndo =
    "There is not enough memory to keep the step for undo, so nothing was done.";

} // namespace

core::Status pressButton(const ButtonSpec& button, Workspace& workspace) {
    if (!isStamp(button)) return runButton(button, workspace); // says why it cannot run
    return paintAsStep(workspace, std::string(button.caption), [&] { return runButton(button, workspace); });
}

core::Status paintAsStep(Workspace& workspace, const std::string& name,
                         const std::function<core::Status()>& paint) {
    try {
        workspace.history.begin(workspace.picSource, workspace.picTarget);
    } catch (const std::bad_alloc&) {
        return core::Status::outOfMemory(kNoMemoryForUndo);
    }
    core::Status status = paint();
    // A press that ran is a step even when it changed nothing, so that undo takes back this
    // press and not the step before it; one that failed before it painted did nothing.
    try {
        workspace.history.record(name, workspace.picSource, workspace.picTarget,
                                 status ? History::Keep::Always : History::Keep::IfChanged);
    } catch (const std::bad_alloc&) {
        // The stamp stays painted; only the history, now empty, could not keep it.
        if (status)
            return core::Status::outOfMemory(
                "The stamp is done, but there is not enough memory to keep it for "
                "undo: the history is now empty.");
    }
    return status;
}

core::Status openPicture(Workspace& workspace, CanvasId canvas, core::Picture picture,
                         const std::string& name) {
    // The picture is loaded whatever happens; short of memory, the history cannot keep the
    // step and empties, since its steps would no longer fit the canvas.
    try {
        workspace.history.begin(workspace.picSource, workspace.picTarget);
        workspace.canvas(canvas).setPicture(std::move(picture));
        workspace.history.record("Open " + core::shownName(name), workspace.picSource, workspace.picTarget);
    } catch (const std::bad_alloc&) {
        if (!picture.isEmpty()) workspace.canvas(canvas).setPicture(std::move(picture));
        workspace.history.clear(History::Loss::ShortOfMemory);
        return core::Status::outOfMemory("The skin is open, but there is not enough memory to keep the step "
                                         "for undo: the history is now empty.");
    }
    return core::Status::ok();
}

bool undo(Workspace& workspace) {
    return workspace.history.undo(workspace.picSource, workspace.picTarget);
}

bool redo(Workspace& workspace) {
    return workspace.history.redo(workspace.picSource, workspace.picTarget);
}

} // namespace stamps
