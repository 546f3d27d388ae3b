// The action runner (see actions.h). Every action is one case here, whichever run it serves.

#include "cli/actions.h"

#include <algorithm>
#include <filesystem>
#include <new>
#include <ostream>

#include "cli/button_lookup.h"
#include "cli/preview_actions.h"
#include "core/codec/bmp.h"
#include "core/eight_bit/eight_bit.h"
#include "stamps/edits.h"

namespace cli {
namespace {

core::Status printInfo(const std::string& path, std::ostream& out) {
    auto info = core::readBmpInfoFile(path);
    if (!info) return info.status();
    const core::BmpInfo& i = info.value();
    out << "width: " << i.width << "\nheight: " << i.height << "\nbits per pixel: " << i.bitsPerPixel
        << "\ncompression: " << i.compression << "\n";
    auto picture = core::loadPicture(path);
    if (!picture) return picture.status();
    out << "colours: " << core::countColours(picture.value()) << "\n";
    return core::Status::ok();
}

// Opens the file into the canvas as a step of the history, named by the file's name.
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

void printList(std::ostream& out) {
    for (const stamps::ButtonSpec& button : stamps::allButtons())
        out << button.name << '\t' << stamps::groupName(button.group) << '\t' << button.caption << '\n';
}

// --save and --save-8bit: the destination canvas's image, committed now or left staged for
// the batch.
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

core::Status run(const CliAction& action, Session& session) {
    stamps::Workspace& workspace = session.workspace;
    switch (action.kind) {
    case ActionKind::Help: // answered before any action runs
    case ActionKind::Each: // --each, --out, --out-8bit and --jobs shape the batch, which runs the rest
    case ActionKind::Out:
    case ActionKind::OutEightBit:
    case ActionKind::Jobs:
        return core::Status::ok();
    case ActionKind::Source:
        return open(workspace, stamps::CanvasId::picSource, action.first);
    case ActionKind::Dest:
        return open(workspace, stamps::CanvasId::picTarget, action.first);
    case ActionKind::Mark:
        workspace.marker.mark(action.row);
        return core::Status::ok();
    case ActionKind::Press: {
        auto status = stamps::pressButton(*action.button, workspace);
        if (!status)
            return status.withContext(describeButton(*action.button) + " failed");
        return status;
    }
    case ActionKind::Save:
        return saveDestination(session, action.first, false);
    case ActionKind::SaveSource:
        return core::savePicture(workspace.picSource.image(), action.first);
    case ActionKind::List:
        printList(session.out);
        return core::Status::ok();
    case ActionKind::Convert:
        return convert(action.first, action.second);
    case ActionKind::Info:
        return printInfo(action.first, session.out);
    case ActionKind::Preview:
        return writePreview(workspace.picTarget.image(), action.yaw, action.first);
    case ActionKind::Seams:
        printSeams(workspace.picTarget.image(), session.out);
        return core::Status::ok();
    case ActionKind::SaveEightBit:
        return saveDestination(session, action.first, true);
    case ActionKind::ConvertEightBit:
        return convertEightBit(action.first, action.second, session.dithering);
    case ActionKind::Dither:
        session.dithering = action.level;
        return core::Status::ok();
    case ActionKind::Undo:
        if (!stamps::undo(workspace))
            return core::Status::usage("--undo: there is nothing to undo (" +
                                       workspace.history.whyNothingToUndo() + ").");
        return core::Status::ok();
    case ActionKind::Redo:
        if (!stamps::redo(workspace))
            return core::Status::usage("--redo: there is nothing to redo (only what --undo undid, before "
                                       "anything else changed the canvases).");
        return core::Status::ok();
    }
    return core::Status::ok();
}

} // namespace

bool needsHistory(std::span<const CliAction> actions) {
    return std::any_of(actions.begin(), actions.end(), [](const CliAction& action) {
        return action.kind == ActionKind::Undo || action.kind == ActionKind::Redo;
    });
}

core::Status runActions(std::span<const CliAction> actions, Session& session) {
    for (const CliAction& action : actions) {
        core::Status status = core::Status::ok();
        // Running out of memory ends the action that needed it, with a message, like any failure.
        try {
            status = run(action, session);
        } catch (const std::bad_alloc&) {
            status =
                core::Status::outOfMemory("There is not enough memory for " + describeAction(action) + ".");
        }
        if (!status) return status;
    }
    return core::Status::ok();
}

} // namespace cli
