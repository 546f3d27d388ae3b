// Retouching as steps of the history: the destination's image handed to the edit as a raster,
// painted back whole, the step recorded as a press's is.

#include "stamps/retouch.h"

#include <new>

namespace stamps {
namespace {

// The whole skin, one to one.
constexpr core::PaintArgs kWholeSkin{0, 0, core::kSkinSize, core::kSkinSize,
                                     0, 0, core::kSkinSize, core::kSkinSize};

constexpr const char* kNoMemoryToBegin =
    "There is not enough memory to keep the retouch for undo, so nothing was done.";
constexpr const char* kNoMemoryToKeep =
    "The retouch is done, but there is not enough memory to keep it for undo: the history is now empty.";

} // namespace

core::Status beginStroke(Workspace& workspace) {
    try {
        workspace.history.begin(workspace.picSource, workspace.picTarget);
    } catch (const std::bad_alloc&) {
        return core::Status::outOfMemory(kNoMemoryToBegin);
    }
    return core::Status::ok();
}

core::Status paintStroke(Workspace& workspace, const PixelEdit& edit) {
    core::Canvas& destination = workspace.picTarget;
    try {
        core::retouch::Raster raster(core::kSkinSize, core::kSkinSize, destination.imageSpan());
        edit(raster);
        return destination.paintPicture(raster.picture(), kWholeSkin);
    } catch (const std::bad_alloc&) {
        return core::Status::outOfMemory("There is not enough memory to retouch the skin.");
    }
}

core::Status endStroke(Workspace& workspace, std::string name) {
    try {
        workspace.history.record(std::move(name), workspace.picSource, workspace.picTarget);
    } catch (const std::bad_alloc&) {
        return core::Status::outOfMemory(kNoMemoryToKeep);
    }
    return core::Status::ok();
}

void cancelStroke(Workspace& workspace) {
    workspace.history.cancel(workspace.picSource, workspace.picTarget);
}

core::Status retouch(Workspace& workspace, std::string name, const PixelEdit& edit) {
    if (core::Status begun = beginStroke(workspace); !begun) return begun;
    const core::Status painted = paintStroke(workspace, edit);
    // A retouch that could not paint changed nothing and is no step.
    if (!painted) return painted;
    return endStroke(workspace, std::move(name));
}

std::string mirrorStepName(core::retouch::Side copied) {
    return copied == core::retouch::Side::Left ? "Mirror Left onto Right" : "Mirror Right onto Left";
}

std::string blendSeamStepName(std::string_view seamName) {
    return "Blend Seam " + std::string(seamName);
}

} // namespace stamps
