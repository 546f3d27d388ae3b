#include "workbench/classic/form_layouts.h"

#include <QtGlobal>
#include <string>

namespace workbench {
namespace {

using stamps::FontSpec;

constexpr std::optional<FontSpec> kDefault = std::nullopt;
constexpr core::Rgb kBlack{0, 0, 0};

// Main window. The row marker's labels show the marker's captions from the start ("Label8",
// "Label9"), so their text is not stored here. The canvases come first in the focus order,
// each followed by its pane's lists; the buttons' indexes start above these.
// clang-format off
constexpr ControlRow kMainControls[] = {
    {"Label1", "Source", {5400, 0, 2655, 375}, FontSpec{"MS Sans Serif", 13.5, true}, "", kNoTabIndex},
    {"picSource", "", {5400, 360, 3900, 3900}, kDefault, "This is the picture you are copying from...", 0},
    {"Label2", "Destination", {5400, 4320, 2655, 255}, FontSpec{"MS Sans Serif", 9.75, true}, "", kNoTabIndex},
    {"lblY1", "", {8040, 4320, 375, 255}, kDefault, "", kNoTabIndex},
    {"lblY2", "", {8640, 4320, 495, 255}, kDefault, "", kNoTabIndex},
    {"picTarget", "", {5400, 4680, 3900, 3900}, kDefault, "This is the picture you are working on...", 3},
    {"Dir1", "", {240, 480, 3015, 1440}, kDefault, "", 1},
    {"FilMain", "", {240, 1920, 3015, 1455}, kDefault,
     "This lets you select the file in the source picture box (to the right)", 2},
    {"lblSource", "", {840, 3480, 495, 255}, kDefault, "", kNoTabIndex},
    {"DirTwo", "", {360, 3960, 3015, 990}, kDefault, "", 4},
    {"FilTwo", "", {360, 4920, 3015, 1455}, kDefault,
     "This lets you chose the picture in the destination picture box directly to the right....", 5},
};

// Save dialog. The name box comes before "Save" in the focus order.
constexpr ControlRow kSaveControls[] = {
    {"Label1", "Filename", {1200, 840, 1335, 375}, FontSpec{"MS Sans Serif", 8.25, true}, "", kNoTabIndex},
    {"txtName", "Text1", {1200, 1200, 2895, 285}, kDefault, "", 0},
    {"Command1", "Save", {1080, 2280, 2055, 615}, kDefault, "", 1},
};

constexpr std::string_view kTitleLine = "Quiltane: the skin copy and cut tool for Domovia";
constexpr std::string_view kDescription =
    "This program makes it fairly easy to copy portions from one Domovia skin to another Domovia "
    "skin. Good for modifying skins you sort of like, but aren't quite what you are looking for. ";
constexpr std::string_view kDisclaimer =
    "Warning: Be sure to reduce the color depth of the skin you modified back down to 8 bit (256 "
    "colors). Also, if you modify someone else's skins, do not redistribute them without their "
    "permission. ";

// About box, in the form's own order. `lblTitle` and `lblVersion` are written on every load.
constexpr ControlRow kAboutControls[] = {
    {"picIcon", "", {240, 240, 540, 540}, kDefault, "", 1},
    {"cmdOK", "OK", {4320, 3240, 1260, 345}, kDefault, "", 0},
    {"cmdSysInfo", "&System Info...", {4320, 3600, 1245, 345}, kDefault, "", 2},
    {"lblTitle", "", {1080, 840, 3975, 495}, kDefault, "", 7},
    {"lblDescription", kDescription, {1080, 1800, 3885, 1170}, kDefault, "", 3, kBlack},
    {"lblTitlex", kTitleLine, {1050, 120, 3885, 600}, kDefault, "", 5, kBlack},
    {"lblVersion", "", {1080, 1440, 3885, 225}, kDefault, "", 6},
    {"lblDisclaimer", kDisclaimer, {255, 3240, 3870, 825}, kDefault, "", 4, kBlack},
};

// The separator between the description above and the disclaimer and buttons below. The grey
// line is drawn over the top row of the two-pixel white one, so that the pair shows etched.
constexpr LineSpec kAboutLines[] = {
    {"Line1", 0, 120, 3120, 5669, 3120, {255, 255, 255}, 2},
    {"Line1", 1, 120, 3120, 5684, 3120, {128, 128, 128}, 1},
};
// clang-format on

constexpr FormSpec kMainWindow{"frmMain", "Quiltane ", {0, 0, 10515, 8595}, kMainControls, {}};
constexpr FormSpec kSaveDialog{"frmSave", "Form2", {0, 0, 4680, 3195}, kSaveControls, {}};
// Its caption is written on every load.
constexpr FormSpec kAboutBox{"frmAbout", "", {2340, 1935, 5730, 4185}, kAboutControls, kAboutLines};

} // namespace

const ControlRow& FormSpec::control(std::string_view controlName) const {
    for (const ControlRow& row : controls)
        if (row.name == controlName) return row;
    qFatal("%s has no control named %s", std::string(name).c_str(), std::string(controlName).c_str());
}

const FormSpec& mainWindowLayout() {
    return kMainWindow;
}
const FormSpec& saveDialogLayout() {
    return kSaveDialog;
}
const FormSpec& aboutBoxLayout() {
    return kAboutBox;
}

QRect pixelRect(const stamps::Twips& place) {
    return QRect(pixels(place.left), pixels(place.top), pixels(place.width), pixels(place.height));
}

QPoint pixelPoint(int x, int y) {
    return QPoint(pixels(x), pixels(y));
}

} // namespace workbench
