// The actions on the user's own outfits (see outfit_actions.h).

#include "cli/outfit_actions.h"

#include <filesystem>
#include <optional>
#include <ostream>

#include "cli/actions.h"
#include "cli/button_lookup.h"
#include "core/file_messages.h"
#include "core/mask/mask_maker.h"
#include "stamps/file_origin.h"
#include "stamps/mask_from_body.h"
#include "stamps/own_stamps.h"
#include "stamps/tones.h"

namespace cli {
namespace {

namespace fs = std::filesystem;

// What a mask written into a folder is called: the destination's name and "-mask.bmp".
constexpr std::string_view kMaskSuffix = "-mask.bmp";

std::string stampsFolderOf(const Session& session) {
    return session.stampsFolder.empty() ? stamps::defaultStampsFolder() : session.stampsFolder;
}

// The destination's file, or empty when it came from none.
std::string destinationFile(const stamps::Workspace& workspace) {
    const stamps::FileOrigin* origin = stamps::fileOf(workspace, stamps::CanvasId::picTarget);
    return origin != nullptr ? origin->path : std::string();
}

// Where --make-mask writes: PATH, or in a folder PATH the destination's name and kMaskSuffix. A
// batch takes a folder only: every input would write one file.
core::Result<std::string> maskPath(const Session& session, const std::string& path) {
    const stamps::Workspace& workspace = session.workspace;
    std::error_code error;
    const bool inBatch = session.staged != nullptr;
    if (!fs::is_directory(path, error)) {
        if (!inBatch) return path;
        return core::Status::usage("--make-mask in a batch needs a folder for the masks, and " +
                                   core::shownName(path) + " is none: every input would write that file.");
    }
    const std::string destination = destinationFile(workspace);
    if (destination.empty())
        return core::Status::usage("--make-mask: the destination has no file to name the mask in " + path +
                                   " after; open it with --dest first.");
    return (fs::path(path) / (fs::path(destination).stem().string() + std::string(kMaskSuffix))).string();
}

core::Status pressFile(stamps::OwnKind kind, const std::string& path, Session& session) {
    core::Result<stamps::OwnPicture> own = stamps::loadOwnPicture(kind, path);
    if (!own) return own.status();
    if (own.value().rounded > 0)
        session.out << core::shownName(path) << ": " << own.value().rounded
                    << " grey pixels were read as black or white by their lightness.\n";
    return stamps::pressOwnPicture(own.value(), fs::path(path).filename().string(), session.workspace);
}

} // namespace

core::Result<BodyAndPath> bodyAndPath(std::string_view, Words words) {
    return BodyAndPath{words[0], words[1]};
}

core::Result<TonesFolder> tonesFolder(std::string_view, Words words) {
    return TonesFolder{words[0], {words.begin() + 1, words.end()}};
}

core::Status makeMask(const BodyAndPath& request, Session& session) {
    stamps::Workspace& workspace = session.workspace;
    core::Result<stamps::BareBody> body = stamps::findBody(request.body, *workspace.library);
    if (!body) return body.status();
    core::Result<std::string> path = maskPath(session, request.path);
    if (!path) return path.status();
    if (const std::string input = stamps::replacedInput(workspace, path.value(), {body.value().file});
        !input.empty())
        return core::Status::usage("--make-mask: " + core::shownName(path.value()) +
                                   " would replace the input " + core::shownName(input) + ".");
    core::Result<core::MadeMask> made = stamps::maskFromBareBody(
        workspace, body.value(), session.tolerance.value_or(core::kDefaultMaskTolerance));
    if (!made) return made.status();
    // Staged before the press, so that a file that cannot be written changes nothing.
    core::Result<core::AtomicFile> staged = core::stageMask(made.value().mask, path.value());
    if (!staged) return staged.status();
    if (core::Status applied = stamps::applyMadeMask(workspace, made.value(), body.value()); !applied)
        return applied;
    if (core::Status committed = staged.value().commit(); !committed)
        return committed.withContext(core::cannotSave(path.value()));
    return core::Status::ok();
}

core::Status pressMaskFile(const FilePath& file, Session& session) {
    return pressFile(stamps::OwnKind::Mask, file.path, session);
}

core::Status pressBodyFile(const FilePath& file, Session& session) {
    return pressFile(stamps::OwnKind::Body, file.path, session);
}

template <bool EightBit> core::Status saveTones(const TonesFolder& request, Session& session) {
    stamps::Workspace& workspace = session.workspace;
    stamps::TonesRequest tones;
    tones.folder = request.folder;
    tones.destination = destinationFile(workspace);
    tones.format = EightBit ? stamps::SaveFormat::EightBit : stamps::SaveFormat::TrueColour;
    tones.options = {session.dithering, core::kNoHeldFolder};
    if (request.bodies.empty()) {
        for (const stamps::LibraryBody& row : stamps::libraryBodies()) {
            core::Result<stamps::BareBody> body = stamps::libraryBody(row, *workspace.library);
            if (!body) return body.status();
            tones.bodies.push_back(std::move(body).value());
        }
    }
    for (const std::string& name : request.bodies) {
        core::Result<stamps::BareBody> body = stamps::findBody(name, *workspace.library);
        if (!body) return body.status();
        tones.bodies.push_back(std::move(body).value());
    }
    core::Result<std::vector<std::string>> saved = stamps::saveTones(workspace, tones);
    if (!saved) return saved.status();
    for (const std::string& path : saved.value())
        session.out << path << '\n';
    return core::Status::ok();
}
template core::Status saveTones<false>(const TonesFolder&, Session&);
template core::Status saveTones<true>(const TonesFolder&, Session&);

core::Status setStampsFolder(const FilePath& folder, Session& session) {
    session.stampsFolder = folder.path;
    session.ownStamps.reset();
    return core::Status::ok();
}

core::Status keepMadeMask(const FilePath& name, Session& session) {
    const stamps::MadeMaskRecord& made = session.workspace.madeMask;
    if (made.mask.isEmpty())
        return core::Status::usage("--keep-mask: no mask has been made yet; --make-mask makes one.");
    core::Result<stamps::OwnStamp> kept =
        stamps::addOwnStamp(stampsFolderOf(session), stamps::OwnKind::Mask, name.path, made.mask);
    if (!kept) return kept.status();
    session.ownStamps.reset();
    session.out << kept.value().path << '\n';
    return core::Status::ok();
}

core::Status pressOwnStamp(const StampButton& stamp, Session& session) {
    if (!session.ownStamps) session.ownStamps = stamps::readOwnStamps(stampsFolderOf(session));
    const stamps::OwnStamp* found = stamps::findOwnStamp(*session.ownStamps, stamp.name);
    // Neither a button nor a stamp of the user's own: the button lookup's own message.
    if (found == nullptr) return lookupStamp(stamp.name).status();
    return stamps::pressOwnStamp(*found, session.workspace)
        .withContext("Your stamp \"" + found->name + "\" (" + found->path + ") failed");
}

core::Status checkOwnStampNames(std::span<const CliAction> actions) {
    std::string folder = stamps::defaultStampsFolder();
    std::optional<std::vector<stamps::OwnStamp>> own; // read once a folder, when first needed
    for (const CliAction& action : actions) {
        if (action.row->option == kStampsOption) {
            folder = std::get<FilePath>(action.argument).path;
            own.reset();
        }
        const StampButton* stamp = std::get_if<StampButton>(&action.argument);
        if (stamp == nullptr || stamp->button != nullptr) continue;
        if (!own) own = stamps::readOwnStamps(folder);
        if (stamps::findOwnStamp(*own, stamp->name) == nullptr) return lookupStamp(stamp->name).status();
    }
    return core::Status::ok();
}

} // namespace cli
