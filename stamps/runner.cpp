#include "stamps/runner.h"

#include <new>
#include <string>

namespace stamps {
namespace {

// The step's picture as it is at this moment, or why there is none.
core::Result<core::Picture> stepPicture(const PaintStep& step, Workspace& workspace,
                                        const core::Picture& given) {
    switch (step.source) {
    case PictureSource::SourcePicture:
        if (workspace.picSource.picture().isEmpty())
            return core::Status::error("No source skin is loaded: open one in the source pane first.");
        return workspace.picSource.picture();
    case PictureSource::TargetPicture:
        if (workspace.picTarget.picture().isEmpty())
            return core::Status::error(
                "No destination skin is loaded: open one in the destination pane first.");
        return workspace.picTarget.picture();
    case PictureSource::SourceImage:
        // What the source canvas shows, earlier steps of this stamp included.
        return workspace.picSource.image();
    case PictureSource::Library: {
        const std::string name(core::imageName(step.image));
        if (workspace.library == nullptr)
            return core::Status::error("The picture library is not available, so " + name +
                                       " cannot be read.");
        const core::Picture& picture = workspace.library->picture(step.image);
        if (picture.isEmpty())
            return core::Status::error("The library picture " + name + " could not be read.");
        return picture;
    }
    case PictureSource::Given:
        if (given.isEmpty()) return core::Status::error("A paint step was given no picture to paint.");
        return given;
    }
    return core::Status::error("A paint step names an unknown picture.");
}

core::Status runStep(const PaintStep& step, Workspace& workspace, const core::Picture& given) {
    core::PaintArgs args = step.args;
    if (step.bandRows) {
        // The band between the two rows marked last; the same rows in source and destination.
        auto band = workspace.marker.band();
        if (!band) return band.status();
        args.y1 = band.value().top;
        args.y2 = band.value().top;
        args.height1 = band.value().height;
        args.height2 = band.value().height;
    }
    auto picture = stepPicture(step, workspace, given);
    if (!picture) return picture.status();
    return workspace.canvas(step.destination).paintPicture(picture.value(), args);
}

} // namespace

core::Status runButton(const ButtonSpec& button, Workspace& workspace) {
    if (!isStamp(button))
        return core::Status::error(
            std::string("\"")
                .append(button.caption)
                .append("\" is not a stamp: it works on the window's file panes and dialogs."));
    return runSteps(button.steps, workspace);
}

core::Status runSteps(std::span<const PaintStep> steps, Workspace& workspace, const core::Picture& given) {
    // A failing step ends the stamp; what the earlier steps painted stays. So does running
    // out of memory (a step copies a canvas's image), which ends the stamp, not the program.
    try {
        for (const PaintStep& step : steps)
            if (auto status = runStep(step, workspace, given); !status) return status;
    } catch (const std::bad_alloc&) {
        return core::Status::outOfMemory("There is not enough memory to finish the stamp.");
    }
    return core::Status::ok();
}

} // namespace stamps
