#pragma once
// quiltane-cli's options as data: one row per option holds its spelling, the names of its
// arguments, its paragraph of --help, what a batch does with it, how its arguments are read
// into a typed value and what it does. The command line, --help, the batch's refusals and the
// runner all read these rows, so a new action is one row.

#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/retouch/mirror.h"
#include "core/retouch/pixel_area.h"
#include "core/retouch/raster.h"
#include "core/retouch/recolour.h"
#include "core/status.h"
#include "preview/seams.h"
#include "stamps/button_table.h"

namespace cli {

struct Session;   // actions.h: what a run works on
struct BatchPlan; // batch_plan.h: the batch the command line asks for

// The arguments of the options, as their rows read them.
struct NoArgument {};
struct FilePath { // a file as given: --source, --dest, --save, --info, ...
    std::string path;
};
struct InOut { // --convert, --convert-8bit
    std::string in, out;
};
struct MarkedRow { // --mark: a row of the destination canvas
    int row = 0;
};
struct StampButton {                            // --press: the one stamp the user named
    const stamps::ButtonSpec* button = nullptr; // null: none of the window's; a stamp of the user's own
    std::string name;                           // as typed
};
struct DitherLevel { // --dither: 0 (none) to 1 (full)
    float level = 0;
};
struct PreviewView { // --preview: the file to write and the yaw in degrees
    std::string path;
    double yaw = 0;
};
struct InputFiles { // --each: one file or more
    std::vector<std::string> files;
};
struct OutputFolder { // --out, --out-8bit
    std::string folder;
};
struct ThreadCount { // --jobs: 1 up
    int jobs = 1;
};
struct ColourTolerance { // --tolerance: a CIEDE2000 difference, 0 to preview::kMaxTolerance
    double difference = 0;
};
struct FillPlace { // --fill: a pixel of the destination and the colour to fill with
    core::retouch::Point at;
    core::Rgb colour;
};
struct ColourChange { // --replace
    core::Rgb from, to;
};
struct MirrorSide { // --mirror: the body's side that is copied
    core::retouch::Side copied = core::retouch::Side::Left;
};
struct HslChange { // --recolour
    core::retouch::HslShift shift;
};
struct MaskArea { // --within: the garment of a library mask or a mask file
    core::retouch::PixelArea garment;
};
struct SeamWidth { // --blend-seams, --blend-seam: pixels each side, preview::kMinBlendWidth to kMaxBlendWidth
    int width = 0;
    const preview::SeamSpec* seam = nullptr; // --blend-seam's; every seam for --blend-seams
};
struct BodyAndPath { // --make-mask: a library body's picture name or a body file, and where the mask goes
    std::string body, path;
};
struct TonesFolder { // --tones, --tones-8bit: the folder and the bodies (none: the library's six)
    std::string folder;
    std::vector<std::string> bodies;
};
using ActionArgument =
    std::variant<NoArgument, FilePath, InOut, MarkedRow, StampButton, DitherLevel, PreviewView, InputFiles,
                 OutputFolder, ThreadCount, ColourTolerance, FillPlace, ColourChange, MirrorSide, HslChange,
                 MaskArea, SeamWidth, BodyAndPath, TonesFolder>;

// The arguments of an option as typed, the option itself not among them.
using Words = std::span<const std::string>;

// What a batch (--each) does with an option.
struct BatchRule {
    enum class Kind {
        Runs,    // runs on every input, as in one run
        Refused, // a usage error before anything runs, giving the reason
        Shapes,  // an option of the batch itself: it sets part of the plan, and needs --each
        Alone,   // answered on its own, in a batch or not, and nothing else runs (--help)
    };
    Kind kind = Kind::Runs;
    std::string_view reason; // Refused: "each input is opened as the destination"
};

// How a row reads its arguments and what it does with them.
struct ActionBehaviour {
    // The arguments read into the row's typed value, or a usage error that names the option.
    // words holds as many as the row's argumentNames name (one or more for "...").
    core::Result<ActionArgument> (*parse)(std::string_view option, Words words) = nullptr;
    // What it does when it runs; none for the options of a batch, which do not run.
    core::Status (*run)(const ActionArgument& argument, Session& session) = nullptr;
    // The options of a batch: the part of the plan they set.
    void (*shape)(const ActionArgument& argument, BatchPlan& plan) = nullptr;
    // Whether it undoes or redoes, so that a run with it keeps the workspace's history.
    bool needsHistory = false;
};

struct ActionRow {
    std::string_view option;        // "--convert"
    std::string_view alias;         // another spelling ("-h"), or empty
    std::string_view argumentNames; // "IN OUT"; a last name ending in "..." takes every
                                    // argument up to the next option, one or more
    std::string_view help;          // its paragraph of --help, unwrapped
    BatchRule batch;
    ActionBehaviour does;
};

// The rows in the order --help lists them.
std::span<const ActionRow> allActions();

// The row spelled `text` ("--save", or an alias such as "-h"), or null.
const ActionRow* findAction(std::string_view text);

} // namespace cli
