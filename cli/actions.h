#pragma once
// The one runner of quiltane-cli's actions, for a single run and for each input of a batch,
// and the file work that several actions and the batch share: opening a file into a canvas,
// converting a file, saving the destination. What each action does is its row's (see
// action_table.h).

#include <functional>
#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "core/atomic_file.h"
#include "core/retouch/pixel_area.h"
#include "core/status.h"
#include "preview/body.h"
#include "stamps/own_stamps.h"
#include "stamps/save_format.h"
#include "stamps/workspace.h"

namespace cli {

// Takes a line for the user without its newline: a single run prints it on stderr, a batch as a
// line of its report.
using Tell = std::function<void(const std::string& line)>;

// What a run of actions works on. Fresh for every run, and for every input of a batch.
struct Session {
    explicit Session(std::ostream& printed) : out(printed) {}

    stamps::Workspace workspace;
    float dithering = 0;               // what --dither set last, for the 8-bit saves
    std::optional<preview::Body> body; // what --mesh read last, for --preview; none: the mannequin
    // What --tolerance set last: how far a colour may be from the one matched (--fill, --replace:
    // none without it) or from the bare body's (--make-mask: core::kDefaultMaskTolerance without it).
    std::optional<double> tolerance;
    std::string stampsFolder; // what --stamps set; empty: stamps::defaultStampsFolder()
    // The stamps folder as read for the run's first press of an own stamp, so that the others
    // do not read it again; --stamps and --keep-mask, which change what it holds, forget it.
    std::optional<std::vector<stamps::OwnStamp>> ownStamps;
    // What --within set last: the garment the recolours are kept within; everywhere without.
    std::optional<core::retouch::PixelArea> within;
    std::ostream& out; // where --list, --info, --seams and --help print
    // Where a note about a file goes (see tellNote); nowhere when empty.
    Tell tell;
    // Set by a batch: the destination's saves (--save, --save-8bit) are left staged here, for
    // the batch to make durable together with the others, rather than committed one by one.
    std::optional<core::AtomicFile>* staged = nullptr;
    // Set by a batch: its output folder, held open; the staged saves are made in it by name.
    int heldFolder = core::kNoHeldFolder;
};

// Whether the actions can undo or redo, and so need the workspace's history; a run that
// cannot undo switches it off and saves the copies and deltas each step costs.
bool needsHistory(std::span<const CliAction> actions);

// Runs the actions in order and stops at the first that fails: ok, or why it failed. Running
// out of memory fails the action that needed it.
core::Status runActions(std::span<const CliAction> actions, Session& session);

// Opens the file into the canvas as a step of the history, named by the file's name; its note,
// if it has one, is told.
core::Status open(Session& session, stamps::CanvasId canvas, const std::string& path);

// Tells the session's note about a file: "quiltane-cli: note: " and the note. Nothing for an
// empty note.
void tellNote(const Session& session, const std::string& note);

// The destination canvas's image saved in the format its option asked for, as the file's name
// decides among the rows that share the option (stamps::formatForPath): --save, --save-8bit
// and a batch's outputs. Committed now or, in a batch, left staged for it.
core::Status saveDestination(Session& session, const std::string& path, stamps::SaveFormat asked);

} // namespace cli
