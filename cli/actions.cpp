// The action runner (see actions.h): it runs each action's row, whichever run it serves.

#include "cli/actions.h"

#include <algorithm>
#include <filesystem>
#include <new>

#include "core/codec/bmp.h"
#include "core/eight_bit/eight_bit.h"
#include "stamps/edits.h"

namespace cli {

bool needsHistory(std::span<const CliAction> actions) {
    return std::any_of(actions.begin(), actions.end(),
                       [](const CliAction& action) { return action.spec->does.needsHistory; });
}

core::Status runActions(std::span<const CliAction> actions, Session& session) {
    for (const CliAction& action : actions) {
        core::Status status = core::Status::ok();
        // Running out of memory ends the action that needed it, with a message, like any failure.
        try {
            status = action.spec->does.run(action.argument, session);
        } catch (const std::bad_alloc&) {
            status =
                core::Status::outOfMemory("There is not enough memory for " + describeAction(action) + ".");
        }
        if (!status) return status;
    }
    return core::Status::ok();
}

core::Status open(stamps::Workspace& workspace, stamps::CanvasId canvas, const std::string& path) {
    auto picture = core::loadPicture(path);
    if (!picture) return picture.status();
    return stamps::openPicture(workspace, canvas, std::move(picture).value(),
                               std::filesystem::path(path).filename().string());
}

core::Status convert(const std::string& in, const std::string& out) {
    auto picture = core::loadPicture(in);
    if (!picture) return picture.status();
    return core::savePicture(picture.value(), out);
}

core::Status convertEightBit(const std::string& in, const std::string& out, float dithering) {
    auto picture = core::loadPicture(in);
    if (!picture) return picture.status();
    return core::saveEightBit(picture.value(), picture.value(), out, dithering).status();
}

core::Status saveDestination(Session& session, const std::string& path, bool eightBit) {
    const core::Canvas& target = session.workspace.picTarget;
    if (session.staged == nullptr)
        return eightBit
                   ? core::saveEightBit(target.image(), target.picture(), path, session.dithering).status()
                   : core::savePicture(target.image(), path);
    core::Result<core::AtomicFile> staged =
        eightBit ? core::stageEightBit(target.image(), target.picture(), path, session.dithering)
                 : core::stagePicture(target.image(), path);
    if (!staged) return staged.status();
    session.staged->emplace(std::move(staged).value());
    return core::Status::ok();
}

} // namespace cli
