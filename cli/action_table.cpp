// The rows of quiltane-cli's options (see action_table.h), with the readers of their
// arguments and what each does. A new action is a row here and its test; --help, the batch
// and the runner follow from the row.

#include "cli/action_table.h"

#include <cmath>
#include <optional>
#include <ostream>
#include <type_traits>

#include "cli/actions.h"
#include "cli/argument_words.h"
#include "cli/batch_plan.h"
#include "cli/button_lookup.h"
#include "cli/help.h"
#include "cli/outfit_actions.h"
#include "cli/preview_actions.h"
#include "cli/retouch_actions.h"
#include "core/codec/picture_file.h"
#include "core/eight_bit/palette_choice.h"
#include "core/skin_layout.h"
#include "preview/mannequin.h"
#include "preview/obj_reader.h"
#include "stamps/edits.h"
#include "stamps/files.h"

namespace cli {
namespace {

// The readers of the arguments: the words after an option into its row's typed value.

core::Result<NoArgument> noArgument(std::string_view, Words) {
    return NoArgument{};
}

core::Result<FilePath> filePath(std::string_view, Words words) {
    return FilePath{words[0]};
}

core::Result<InOut> inOut(std::string_view, Words words) {
    return InOut{words[0], words[1]};
}

// A row of the destination canvas, counted from its top.
core::Result<MarkedRow> markedRow(std::string_view option, Words words) {
    constexpr int kLastRow = core::lastBefore(core::kSkinSize);
    const std::optional<int> row = numberSpelledBy<int>(words[0]);
    if (!row || *row < 0 || *row > kLastRow)
        return needs(option,
                     "a row of the destination canvas, a whole number from 0 to " + std::to_string(kLastRow),
                     words[0]);
    return MarkedRow{*row};
}

// A name no button has may be a stamp of the user's own, looked up when it is pressed (after
// any --stamps).
core::Result<StampButton> stampButton(std::string_view, Words words) {
    if (findButtons(words[0]).empty()) return StampButton{nullptr, words[0]};
    auto button = lookupStamp(words[0]);
    if (!button) return button.status();
    return StampButton{button.value(), words[0]};
}

core::Result<DitherLevel> ditherLevel(std::string_view option, Words words) {
    const std::optional<double> level = decimalSpelledBy(words[0]);
    if (!level || !(*level >= 0 && *level <= 1))
        return needs(option, "a dithering level, a number from 0 to 1", words[0]);
    return DitherLevel{float(*level)};
}

// PATH and YAW: any finite number of degrees ("-90", "37.5").
core::Result<PreviewView> previewView(std::string_view option, Words words) {
    const std::optional<double> yaw = decimalSpelledBy(words[1]);
    if (!yaw || !std::isfinite(*yaw))
        return needs(option, "YAW, an angle in degrees (0 front, 90 the body's left side, 180 back)",
                     words[1]);
    return PreviewView{words[0], *yaw};
}

core::Result<InputFiles> inputFiles(std::string_view, Words words) {
    return InputFiles{{words.begin(), words.end()}};
}

core::Result<OutputFolder> outputFolder(std::string_view, Words words) {
    return OutputFolder{words[0]};
}

core::Result<ThreadCount> threadCount(std::string_view option, Words words) {
    const std::optional<int> jobs = numberSpelledBy<int>(words[0]);
    if (!jobs || *jobs < 1) return needs(option, "a number of threads, a whole number from 1 up", words[0]);
    return ThreadCount{*jobs};
}

// What the actions do, each given what its reader made.

core::Status openSource(const FilePath& file, Session& session) {
    return open(session, stamps::CanvasId::picSource, file.path);
}

core::Status openDestination(const FilePath& file, Session& session) {
    return open(session, stamps::CanvasId::picTarget, file.path);
}

core::Status markRow(const MarkedRow& mark, Session& session) {
    session.workspace.marker.mark(mark.row);
    return core::Status::ok();
}

core::Status undo(const NoArgument&, Session& session) {
    if (!stamps::undo(session.workspace))
        return core::Status::usage("--undo: there is nothing to undo (" +
                                   session.workspace.history.whyNothingToUndo() + ").");
    return core::Status::ok();
}

core::Status redo(const NoArgument&, Session& session) {
    if (!stamps::redo(session.workspace))
        return core::Status::usage("--redo: there is nothing to redo (only what --undo undid, before "
                                   "anything else changed the canvases).");
    return core::Status::ok();
}

core::Status press(const StampButton& stamp, Session& session) {
    if (stamp.button == nullptr) return pressOwnStamp(stamp, session);
    return stamps::pressButton(*stamp.button, session.workspace)
        .withContext(describeButton(*stamp.button) + " failed");
}

template <stamps::SaveFormat Format> core::Status saveAs(const FilePath& file, Session& session) {
    return saveDestination(session, file.path, Format);
}

core::Status saveSource(const FilePath& file, Session& session) {
    const core::Canvas& source = session.workspace.picSource;
    return stamps::saveAs(stamps::formatForPath(stamps::SaveFormat::TrueColour, file.path), source.image(),
                          source.picture(), file.path)
        .status();
}

core::Status listButtons(const NoArgument&, Session& session) {
    for (const stamps::ButtonSpec& button : stamps::allButtons())
        session.out << button.name << '\t' << stamps::groupName(button.group) << '\t' << button.caption
                    << '\n';
    return core::Status::ok();
}

// Any picture file the codec reads, written whole at its own size in the format the option
// asks for, as OUT's name decides (stamps::formatForPath).
template <stamps::SaveFormat Format> core::Status convertTo(const InOut& files, Session& session) {
    const core::Result<stamps::Converted> converted = stamps::convertFile(
        stamps::formatForPath(Format, files.out), files.in, files.out, {session.dithering});
    if (!converted) return converted.status();
    tellNote(session, converted.value().note);
    return core::Status::ok();
}

core::Status setDithering(const DitherLevel& dither, Session& session) {
    session.dithering = dither.level;
    return core::Status::ok();
}

// The header's facts and the colours counted in the pixels, printed once the whole file is
// read: a file whose pixels are cut short prints nothing but the failure.
core::Status printInfo(const FilePath& file, Session& session) {
    auto info = core::readPictureInfoFile(file.path);
    if (!info) return info.status();
    auto picture = core::loadPicture(file.path);
    if (!picture) return picture.status();
    const core::PictureInfo& i = info.value();
    session.out << "width: " << i.width << "\nheight: " << i.height << "\nbits per pixel: " << i.bitsPerPixel
                << "\ncompression: " << i.compression << "\ncolours: " << core::countColours(picture.value())
                << "\n";
    return core::Status::ok();
}

core::Status useMesh(const FilePath& file, Session& session) {
    auto body = preview::loadObjBody(file.path);
    if (!body) return body.status();
    session.body = std::move(body).value();
    return core::Status::ok();
}

core::Status preview(const PreviewView& view, Session& session) {
    return writePreview(session.workspace.picTarget.image(),
                        session.body ? *session.body : preview::mannequin(), view.yaw, view.path);
}

core::Status seams(const NoArgument&, Session& session) {
    printSeams(session.workspace.picTarget.image(), session.out);
    return core::Status::ok();
}

core::Status help(const NoArgument&, Session& session) {
    session.out << helpText();
    return core::Status::ok();
}

// What the options of a batch set in its plan.

void setInputs(const InputFiles& inputs, BatchPlan& plan) {
    plan.inputs = inputs.files;
}

template <stamps::SaveFormat Format> void setOut(const OutputFolder& out, BatchPlan& plan) {
    plan.outFolder = out.folder;
    plan.format = Format;
}

void setJobs(const ThreadCount& threads, BatchPlan& plan) {
    plan.jobs = threads.jobs;
}

// The parts the rows are made of.

// The value a reader makes: Argument of core::Result<Argument> Parse(option, words).
template <auto Parse>
using ArgumentOf = std::remove_cvref_t<decltype(Parse(std::string_view(), Words()).value())>;

template <auto Parse> core::Result<ActionArgument> parseInto(std::string_view option, Words words) {
    auto parsed = Parse(option, words);
    if (!parsed) return parsed.status();
    return ActionArgument(std::move(parsed).value());
}

template <auto Parse, auto Run> core::Status runWith(const ActionArgument& argument, Session& session) {
    return Run(std::get<ArgumentOf<Parse>>(argument), session);
}

template <auto Parse, auto Shape> void shapeWith(const ActionArgument& argument, BatchPlan& plan) {
    Shape(std::get<ArgumentOf<Parse>>(argument), plan);
}

// An action: its arguments read by Parse, then run by Run, which takes what Parse made.
template <auto Parse, auto Run>
constexpr ActionBehaviour kDoes = {&parseInto<Parse>, &runWith<Parse, Run>, nullptr, false};
// An action that walks the history, which its run then keeps.
template <auto Run>
constexpr ActionBehaviour kWalksHistory = {&parseInto<noArgument>, &runWith<noArgument, Run>, nullptr, true};
// An option of the batch: its argument read by Parse, then set into the plan by Shape.
template <auto Parse, auto Shape>
constexpr ActionBehaviour kSets = {&parseInto<Parse>, nullptr, &shapeWith<Parse, Shape>, false};

constexpr BatchRule kInBatch{BatchRule::Kind::Runs, ""};
constexpr BatchRule notInBatch(std::string_view reason) {
    return {BatchRule::Kind::Refused, reason};
}
constexpr BatchRule kOfTheBatch{BatchRule::Kind::Shapes, ""};
constexpr BatchRule kAlone{BatchRule::Kind::Alone, ""};

constexpr std::string_view kSamePath = "every input would be saved as the same PATH";
constexpr std::string_view kNoInput = "it works on no input; run it on its own";
constexpr std::string_view kTonesInBatch =
    "its set of files is committed as one of its own, apart from the batch's outputs; run it once a "
    "destination";

// One row per option, in the order of --help; the options of a batch last. The help
// paragraphs are wrapped when --help prints them.
// clang-format off
constexpr ActionRow kActions[] = {
    {"--source", "", "FILE",
     "open FILE, a BMP or PNG file, into the source canvas; a PNG file's transparency is flattened onto "
     "white, with a note on stderr",
     kInBatch, kDoes<filePath, openSource>},
    {"--dest", "", "FILE", "open FILE into the destination canvas likewise",
     notInBatch("each input is opened as the destination"), kDoes<filePath, openDestination>},
    {"--mark", "", "ROW",
     "a mouse-down on row ROW (0-255) of the destination canvas; the band copies of \"User Copy\" copy the "
     "rows between the last two marks",
     kInBatch, kDoes<markedRow, markRow>},
    {"--undo", "", "",
     "undo the last --source, --dest, --press or retouch (--fill, --replace, --mirror, --recolour, "
     "--blend-seams) still done, as Ctrl+Z does in the window; a usage error when there is nothing to undo",
     kInBatch, kWalksHistory<undo>},
    {"--redo", "", "", "redo what --undo undid last; a usage error when there is nothing",
     kInBatch, kWalksHistory<redo>},
    {"--press", "", "BUTTON",
     "press a button by control name (Command56, cmddjfld) or by its caption where unique (\"Bikini 402\"), "
     "or a stamp of your own by its name (see --stamps); case and runs of blanks are not significant when "
     "nothing matches exactly",
     kInBatch, kDoes<stampButton, press>},
    {"--save", "", "PATH",
     "write the destination canvas's image to PATH as a 24-bit BMP, or as a PNG when PATH ends in \".png\" "
     "(a palette PNG when the image has at most 256 colours, the palette of the file opened with --dest "
     "kept where it serves); PATH exactly as given (no \".bmp\" is added)",
     notInBatch("every input would be saved as the same PATH; --out DIR saves each under its own name"),
     kDoes<filePath, saveAs<stamps::SaveFormat::TrueColour>>},
    {"--save-source", "", "PATH", "write the source canvas's shown image likewise",
     notInBatch(kSamePath), kDoes<filePath, saveSource>},
    {"--list", "", "",
     "print every button: control name, group, caption (tab-separated), one per line",
     notInBatch(kNoInput), kDoes<noArgument, listButtons>},
    {"--convert", "", "IN OUT",
     "load any BMP or PNG file the codecs read and write it at its own size as a plain 24-bit BMP, or as "
     "--save writes a PNG when OUT ends in \".png\"",
     notInBatch(kNoInput), kDoes<inOut, convertTo<stamps::SaveFormat::TrueColour>>},
    {"--save-8bit", "", "PATH",
     "write the destination canvas's image to PATH as an 8-bit BMP with a 256-colour palette, as the "
     "game's own skins are stored: the palette of the file opened with --dest when every colour is in it "
     "(pixels left unchanged keep their index), else exactly the image's colours when there are at most "
     "256, else a reduction to 256 colours",
     notInBatch("every input would be saved as the same PATH; --out-8bit DIR saves each under its own name"),
     kDoes<filePath, saveAs<stamps::SaveFormat::EightBit>>},
    {"--convert-8bit", "", "IN OUT",
     "load any BMP or PNG file the codecs read and write it as such an 8-bit BMP at its own size (a palette "
     "file keeps its palette and indices)",
     notInBatch(kNoInput), kDoes<inOut, convertTo<stamps::SaveFormat::EightBit>>},
    {"--dither", "", "LEVEL",
     "dither the 8-bit saves after it that reduce colours, LEVEL from 0 (none, the default) to 1 (full)",
     kInBatch, kDoes<ditherLevel, setDithering>},
    {"--info", "", "FILE",
     "print width, height, bits per pixel, compression and the number of distinct colours of a BMP or PNG "
     "file",
     notInBatch(kNoInput), kDoes<filePath, printInfo>},
    {"--mesh", "", "FILE",
     "render the --preview actions after it on the body mesh in FILE instead of the mannequin: a Wavefront "
     "OBJ file with texture coordinates (v, vt and f lines), the body standing with y up and facing +z; "
     "the seam check stays the mannequin's",
     notInBatch("only --preview renders on it, which a batch cannot run"), kDoes<filePath, useMesh>},
    {"--preview", "", "PATH YAW",
     "render the destination canvas on the mannequin (or the --mesh body) seen from YAW degrees (0 front, "
     "90 its left side, 180 back) and write it to PATH as a 512 x 512 24-bit BMP",
     notInBatch("every input would be rendered to the same PATH"), kDoes<previewView, preview>},
    {"--seams", "", "",
     "print the seam check of the destination canvas, one seam a line: its name, the mean colour difference "
     "across it (CIEDE2000, one decimal; below about 2 the seam hardly shows) and its worst rows, "
     "tab-separated",
     notInBatch("the lines of every input would run together"), kDoes<noArgument, seams>},
    {"--tolerance", "", "DE",
     "let the --fill and --replace after it take every colour within DE of the one they match, DE a "
     "colour difference (CIEDE2000) from 0 (that colour alone, as without --tolerance) to 100; about 2 "
     "hardly shows. The --make-mask after it counts every pixel within DE of the bare body's as bare skin "
     "(4 without --tolerance, enough for what an 8-bit save does to a skin)",
     kInBatch, kDoes<colourTolerance, setTolerance>},
    {"--fill", "", "X Y COLOUR",
     "paint COLOUR (#rrggbb) over the destination's area of the colour of pixel X, Y (0-255 each): the "
     "pixels of that colour joined to it left, right, up or down, never only corner to corner",
     kInBatch, kDoes<fillPlace, fillArea>},
    {"--replace", "", "FROM TO", "paint every pixel of the destination whose colour is FROM with TO (#rrggbb each)",
     kInBatch, kDoes<colourChange, replaceColour>},
    {"--mirror", "", "SIDE",
     "copy the body's SIDE (left or right: the body's own, its left hand's side is its left) onto its other "
     "side, mirrored about the centre line down the navel's column on the front and the spine on the back, "
     "each pixel from its mirror image round the body, one leg onto the other; the arm strip, which both arms "
     "wear, stays as it is",
     kInBatch, kDoes<mirrorSide, mirrorBody>},
    {"--within", "", "MASK",
     "keep the --recolour actions after it within the garment of MASK: a library outfit mask by its "
     "picture's name (imgBikini) or a 256 x 256 BMP file, the garment black on white (every pixel darker "
     "than middle grey)",
     kInBatch, kDoes<maskArea, setWithin>},
    {"--recolour", "", "HUE SATURATION LIGHTNESS",
     "shift the hue of the destination's pixels by HUE degrees (-180 to 180), their saturation by "
     "SATURATION percent (-100, grey, to 100, twice as saturated) and their lightness by LIGHTNESS percent "
     "(-100, black, to 100, white), within the last --within mask, or everywhere",
     kInBatch, kDoes<hslChange, recolour>},
    {"--blend-seams", "", "WIDTH",
     "blend every seam of the seam check over WIDTH pixels each side (1 to 16): on every row the two pixels "
     "at the seam take the colour halfway between them and the pixels inwards a share of the same change "
     "that falls off over the width; pixels farther away stay as they are",
     kInBatch, kDoes<seamWidth, blendSeams>},
    {"--blend-seam", "", "SEAM WIDTH",
     "blend one seam likewise: SEAM by its name as --seams prints it (\"torso, right side\") or by its key "
     "(torsoRight; a SEAM that is neither lists every key)",
     kInBatch, kDoes<seamAndWidth, blendSeams>},
    {"--make-mask", "", "BODY PATH",
     "make the mask of the garment on the destination: every pixel whose colour differs from BODY's by more "
     "than the --tolerance (CIEDE2000) is garment (black), every other bare skin (white); lone specks of "
     "either are cleaned away. BODY is the bare body the garment was painted on: a library body by its "
     "picture's name (imgLightBody, imgMedBody, imgDarkBody, imgMaleLight, imgMaleMed, imgMaleDark) or a "
     "256 x 256 skin file. The mask is pressed as an outfit mask is, one step of the history, and written "
     "to PATH as a 1-bit BMP (palette entry 0 black, entry 1 white); a PATH that is a folder gets the "
     "destination's name and \"-mask.bmp\"; in a batch (--each) PATH must be such a folder, as every input "
     "would otherwise write one file",
     kInBatch, kDoes<bodyAndPath, makeMask>},
    {"--mask", "", "FILE",
     "press the mask in FILE as the outfit masks are pressed: a 256 x 256 picture, the garment black on "
     "white; a grey pixel is read as black or white by its lightness, and their number is printed",
     kInBatch, kDoes<filePath, pressMaskFile>},
    {"--body", "", "FILE",
     "press the bare body in FILE (a 256 x 256 skin) as the body fills are pressed: it shows where the last "
     "mask was white",
     kInBatch, kDoes<filePath, pressBodyFile>},
    {"--tones", "", "DIR [BODY...]",
     "save the garment on every BODY into the folder DIR (which must exist) as 24-bit BMPs, each exactly "
     "what pressing that body's fill now would give, the canvases left as they are; BODY as for "
     "--make-mask, the library's six without any. Each file is named after the destination's file and the "
     "body: skin-light-female.bmp, skin-medium-female.bmp, skin-dark-female.bmp, skin-light-male.bmp, "
     "skin-medium-male.bmp, skin-dark-male.bmp for skin.bmp, skin-tan.bmp for a body file tan.bmp. Every "
     "file is written in full before any replaces an old one, so a failure leaves no half set; a file that "
     "would replace an input is refused. A batch refuses it: each input's set is committed as one of its "
     "own, apart from the batch's outputs",
     notInBatch(kTonesInBatch), kDoes<tonesFolder, saveTones<false>>},
    {"--tones-8bit", "", "DIR [BODY...]",
     "save every tone likewise as 8-bit BMPs, as --save-8bit does, the reductions on every processor",
     notInBatch(kTonesInBatch), kDoes<tonesFolder, saveTones<true>>},
    {kStampsOption, "", "DIR",
     "look for your own stamps in DIR instead of $QUILTANE_STAMPS, else $XDG_DATA_HOME/quiltane/stamps "
     "(~/.local/share/quiltane/stamps): DIR/masks, DIR/bodies, DIR/accessories (ANDed, as the shoes) and "
     "DIR/accessories-multiply hold BMP files, each a stamp named by its file's name without \".bmp\"",
     kInBatch, kDoes<filePath, setStampsFolder>},
    {"--keep-mask", "", "NAME",
     "keep the mask --make-mask made last as your own stamp NAME (DIR/masks/NAME.bmp of the stamps folder, "
     "which is made when missing), to press later with --press NAME; a NAME a button or another stamp has "
     "already is refused",
     notInBatch("every input would keep its mask under the one NAME"), kDoes<filePath, keepMadeMask>},
    {"--help", "-h", "", "print this help",
     kAlone, kDoes<noArgument, help>},

    {"--each", "", "FILE...",
     "run the other actions on every FILE, each on fresh canvases, as if the command were --dest FILE "
     "ACTION... --save DIR/NAME, NAME being FILE's own name; FILE... is every argument up to the next one "
     "that begins with \"--\" (give a file of such a name as ./--name)",
     kOfTheBatch, kSets<inputFiles, setInputs>},
    {"--out", "", "DIR",
     "save each result into the folder DIR under its input's name, as --save does: a PNG for a name ending "
     "in \".png\", else a 24-bit BMP",
     kOfTheBatch, kSets<outputFolder, setOut<stamps::SaveFormat::TrueColour>>},
    {"--out-8bit", "", "DIR",
     "save each result into DIR as an 8-bit BMP, as --save-8bit does, under its input's name with a "
     "\".png\" ending made \".bmp\"",
     kOfTheBatch, kSets<outputFolder, setOut<stamps::SaveFormat::EightBit>>},
    {"--jobs", "", "N",
     "run N inputs at once (a whole number from 1 up; by default the number of processors)",
     kOfTheBatch, kSets<threadCount, setJobs>},
};
// clang-format on

} // namespace

std::span<const ActionRow> allActions() {
    return kActions;
}

const ActionRow* findAction(std::string_view text) {
    for (const ActionRow& action : kActions)
        if (action.option == text || (!action.alias.empty() && action.alias == text)) return &action;
    return nullptr;
}

} // namespace cli
