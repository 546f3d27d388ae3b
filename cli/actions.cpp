// The action runner (see actions.h): it runs each action's row, whichever run it serves.

#include "cli/actions.h"

#include <algorithm>
#include <new>

#include "stamps/files.h"

namespace cli {

bool needsHistory(std::span<const CliAction> actions) {
    return std::any_of(actions.begin(), actions.end(),
                       [](const CliAction& action) { return action.row->does.needsHistory; });
}

core::Status runActions(std::span<const CliAction> actions, Session& session) {
    for (const CliAction& action : actions) {
        core::Status status = core::Status::ok();
        // Running out of memory ends the action that needed it, with a message, like any failure.
        try {
            status = action.row->does.run(action.argument, session);
        } catch (const std::bad_alloc&) {
            status =
                core::Status::outOfMemory("There is not enough memory for " + describeAction(action) + ".");
        }
        if (!status) return status;
    }
    return core::Status::ok();
}

core::Status open(Session& session, stamps::CanvasId canvas, const std::string& path) {
    const stamps::Opened opened = stamps::openFile(session.workspace, canvas, path);
    if (opened.loaded) tellNote(session, opened.note);
    return opened.status;
}

void tellNote(const Session& session, const std::string& note) {
    if (!note.empty() && session.tell) session.tell("quiltane-cli: note: " + note);
}

core::Status saveDestination(Session& session, const std::string& path, stamps::SaveFormat asked) {
    const stamps::SaveFormat format = stamps::formatForPath(asked, path);
    const stamps::SaveOptions options{session.dithering, session.heldFolder};
    if (session.staged == nullptr)
        return stamps::saveDestination(session.workspace, format, path, options).status();
    core::Result<stamps::StagedSave> staged =
        stamps::stageDestination(session.workspace, format, path, options);
    if (!staged) return staged.status();
    session.staged->emplace(std::move(staged.value().file));
    return core::Status::ok();
}

} // namespace cli
