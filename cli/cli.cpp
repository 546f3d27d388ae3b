#include "cli/cli.h"

#include <filesystem>
#include <new>
#include <ostream>

#include "cli/button_lookup.h"
#include "cli/command_line.h"
#include "cli/preview_actions.h"
#include "core/bmp.h"
#include "core/eight_bit.h"
#include "stamps/edits.h"

namespace cli {
namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1; // a file could not be read or written, or a stamp failed
constexpr int kExitUsage = 2;

constexpr std::string_view kHelp = R"(Usage: quiltane-cli ACTION...

Runs the stamps of Quiltane without its window. The actions run in the order given, like a
user's clicks on two canvases: the source canvas (picSource) and the destination canvas
(picTarget), both 256 x 256 pixels and empty at the start.

Actions:
  --source FILE       open FILE into the source canvas
  --dest FILE         open FILE into the destination canvas
  --mark ROW          a mouse-down on row ROW (0-255) of the destination canvas; the band
                      copies of "User Copy" copy the rows between the last two marks
  --undo              undo the last --source, --dest or --press still done, as Ctrl+Z does
                      in the window; a usage error when there is nothing to undo
  --redo              redo what --undo undid last; a usage error when there is nothing
  --press BUTTON      press a button by control name (Command56, cmddjfld) or by its caption
                      where unique ("Bikini 402"); case and runs of blanks are not significant
                      when nothing matches exactly
  --save PATH         write the destination canvas's image to PATH as a 24-bit BMP, PATH
                      exactly as given (no ".bmp" is added)
  --save-source PATH  write the source canvas's shown image likewise
  --list              print every button: control name, group, caption (tab-separated),
                      one per line
  --convert IN OUT    load any BMP the codec reads and write it as a plain 24-bit BMP at
                      its own size
  --save-8bit PATH    write the destination canvas's image to PATH as an 8-bit BMP with a
                      256-colour palette, as the game's own skins are stored: the palette of
                      the file opened with --dest when every colour is in it (pixels left
                      unchanged keep their index), else exactly the image's colours when
                      there are at most 256, else a reduction to 256 colours
  --convert-8bit IN OUT
                      load any BMP the codec reads and write it as such an 8-bit BMP at its
                      own size (a palette file keeps its palette and indices)
  --dither LEVEL      dither the 8-bit saves after it that reduce colours, LEVEL from 0
                      (none, the default) to 1 (full)
  --info FILE         print width, height, bits per pixel, compression and the number of
                      distinct colours of a BMP file
  --preview PATH YAW  render the destination canvas on a mannequin seen from YAW degrees
                      (0 front, 90 its left side, 180 back) and write it to PATH as a
                      512 x 512 24-bit BMP
  --seams             print the seam check of the destination canvas, one seam a line: its
                      name, the mean colour difference across it (CIEDE2000, one decimal;
                      below about 2 the seam hardly shows) and its worst rows, tab-separated
  --help              print this help

The whole command line is checked before anything runs. Files are replaced atomically, so
no half-written file is ever left behind, not even when the program is interrupted; the
actions before a failing one have taken effect, as clicks in the window would have. A save
replaces only a regular file (a link to one is followed) and refuses devices, pipes,
sockets and folders.

Exit status: 0 on success; 1 when a file cannot be read or written or a stamp fails (the
message names the file or the stamp and says why); 2 on a usage error, such as an unknown
or ambiguous button (the message lists the closest names) or an --undo with nothing to
undo. The "Delete" and "About" buttons work on the window's file panes and dialogs and
cannot be pressed here.

Example: cut the bikini out of a clothed skin, put it on the medium female body, add black
sneakers and save the result:

  quiltane-cli --dest skin.bmp --press "Bikini 402" --press "Med Fem" \
               --press "Black Sneakers" --save skin2.bmp

"Bikini 402" whitens everything outside the bikini and writes the inverted mask into the
source canvas; "Med Fem" fills the white area with the bare body; "Black Sneakers" ANDs the
shoe strip onto the feet; --save writes skin2.bmp as a 24-bit BMP. For a file the game
can load as it is, save with --save-8bit skin2.bmp instead.
)";

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

// dithering: what --dither set last, for the 8-bit saves.
core::Status run(const CliAction& action, stamps::Workspace& workspace, float& dithering, std::ostream& out) {
    switch (action.kind) {
    case ActionKind::Help: // answered by runCli before any action runs
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
            return core::Status::error(describeButton(*action.button) + " failed: " + status.message());
        return status;
    }
    case ActionKind::Save:
        return core::savePicture(workspace.picTarget.image(), action.first);
    case ActionKind::SaveSource:
        return core::savePicture(workspace.picSource.image(), action.first);
    case ActionKind::List:
        printList(out);
        return core::Status::ok();
    case ActionKind::Convert:
        return convert(action.first, action.second);
    case ActionKind::Info:
        return printInfo(action.first, out);
    case ActionKind::Preview:
        return writePreview(workspace.picTarget.image(), action.yaw, action.first);
    case ActionKind::Seams:
        printSeams(workspace.picTarget.image(), out);
        return core::Status::ok();
    case ActionKind::SaveEightBit:
        return core::saveEightBit(workspace.picTarget.image(), workspace.picTarget.picture(), action.first,
                                  dithering)
            .status();
    case ActionKind::ConvertEightBit:
        return convertEightBit(action.first, action.second, dithering);
    case ActionKind::Dither:
        dithering = action.level;
        return core::Status::ok();
    case ActionKind::Undo:
        if (!stamps::undo(workspace))
            return core::Status::error("--undo: there is nothing to undo (only --source, --dest and --press "
                                       "can be undone).");
        return core::Status::ok();
    case ActionKind::Redo:
        if (!stamps::redo(workspace))
            return core::Status::error("--redo: there is nothing to redo (only what --undo undid, before "
                                       "anything else changed the canvases).");
        return core::Status::ok();
    }
    return core::Status::ok();
}

} // namespace

int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    auto actions = parseCommandLine(args);
    if (!actions) {
        err << "quiltane-cli: " << actions.message() << "\n";
        return kExitUsage;
    }
    for (const CliAction& action : actions.value()) {
        if (action.kind == ActionKind::Help) {
            out << kHelp;
            return kExitOk;
        }
    }
    stamps::Workspace workspace;
    float dithering = 0;
    for (const CliAction& action : actions.value()) {
        core::Status status = core::Status::ok();
        // Running out of memory ends the action that needed it, with a message, like any failure.
        try {
            status = run(action, workspace, dithering, out);
        } catch (const std::bad_alloc&) {
            status =
                core::Status::outOfMemory("There is not enough memory for " + describeAction(action) + ".");
        }
        if (!status) {
            err << "quiltane-cli: " << status.message() << "\n";
            // Nothing to undo or redo is a mistake in the command line, not in a file.
            const bool usage = action.kind == ActionKind::Undo || action.kind == ActionKind::Redo;
            return usage ? kExitUsage : kExitFailed;
        }
    }
    return kExitOk;
}

} // namespace cli
