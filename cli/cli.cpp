#include "cli/cli.h"

#include <ostream>

#include "cli/actions.h"
#include "cli/batch.h"
#include "cli/batch_plan.h"
#include "cli/command_line.h"

namespace cli {
namespace {

constexpr std::string_view kHelp = R"(Usage: quiltane-cli ACTION...
       quiltane-cli --each FILE... (--out DIR | --out-8bit DIR) [--jobs N] ACTION...

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

Batches:
  --each FILE...      run the other actions on every FILE, each on fresh canvases, as if the
                      command were --dest FILE ACTION... --save DIR/NAME, NAME being FILE's
                      own name; FILE... is every argument up to the next one that begins
                      with "--" (give a file of such a name as ./--name)
  --out DIR           save each result into the folder DIR as a 24-bit BMP
  --out-8bit DIR      save each result into DIR as an 8-bit BMP, as --save-8bit does
  --jobs N            run N inputs at once (a whole number from 1 up; by default the number
                      of processors)

In a batch --source, --mark, --press, --undo, --redo and --dither work as in one run. --dest,
--save, --save-8bit, --save-source and --preview (every input would write the same PATH),
--seams, --list, --info, --convert and --convert-8bit cannot be used. Before anything runs
the batch refuses an output folder that does not exist, an output that would replace one of
the inputs and two inputs with the same name. An input that fails (it cannot be read, a stamp
fails, an --undo finds nothing to undo) fails alone and the others are saved. On a terminal
a progress bar shows on stderr; each failure is named there with its reason, and a last line
sums up: "200 skins: 198 saved, 2 failed". The results are written first, flushed to disk
together and only then renamed into place, so each output is complete or absent and an old
file is replaced only by a complete new one.

The whole command line is checked before anything runs. Files are replaced atomically, so
no half-written file is ever left behind, not even when the program is interrupted; the
actions before a failing one have taken effect, as clicks in the window would have. A save
replaces only a regular file (a link to one is followed) and refuses devices, pipes,
sockets and folders.

Exit status: 0 on success; 1 when a file cannot be read or written or a stamp fails (the
message names the file or the stamp and says why); 2 on a usage error, such as an unknown
or ambiguous button (the message lists the closest names) or an --undo with nothing to
undo. A batch exits with 0 when every input was saved, 1 when any failed and 2 on a usage
error, its refusals included. The "Delete" and "About" buttons work on the window's file
panes and dialogs and cannot be pressed here.

Example: cut the bikini out of a clothed skin, put it on the medium female body, add black
sneakers and save the result:

  quiltane-cli --dest skin.bmp --press "Bikini 402" --press "Med Fem" \
               --press "Black Sneakers" --save skin2.bmp

"Bikini 402" whitens everything outside the bikini and writes the inverted mask into the
source canvas; "Med Fem" fills the white area with the bare body; "Black Sneakers" ANDs the
shoe strip onto the feet; --save writes skin2.bmp as a 24-bit BMP. For a file the game
can load as it is, save with --save-8bit skin2.bmp instead.

The same on every skin of a folder, saved as 8-bit files into done/:

  quiltane-cli --each skins/*.bmp --out-8bit done \
               --press "Bikini 402" --press "Med Fem" --press "Black Sneakers"
)";

} // namespace

int exitCode(const core::Status& failure) {
    switch (failure.kind()) {
    case core::Status::Kind::Ok:
        return kExitOk;
    case core::Status::Kind::Usage:
        return kExitUsage;
    default:
        return kExitFailed;
    }
}

int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, bool errIsTerminal) {
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
    auto batch = planBatch(actions.value());
    if (!batch) {
        err << "quiltane-cli: " << batch.message() << "\n";
        return kExitUsage;
    }
    if (batch.value()) return runBatch(*batch.value(), err, errIsTerminal);

    Session session(out);
    session.workspace.history.setEnabled(needsHistory(actions.value()));
    if (core::Status status = runActions(actions.value(), session); !status) {
        err << "quiltane-cli: " << status.message() << "\n";
        return exitCode(status);
    }
    return kExitOk;
}

} // namespace cli
