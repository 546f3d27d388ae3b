#pragma once
// The buttons of the main window as data: one row per button holds its caption, place, font,
// tooltip, tab index and what a click does (for stamps, the ordered paint steps). The window
// builds its buttons from these rows; the runner and quiltane-cli run them.

#include <optional>
#include <span>
#include <string_view>

#include "stamps/paint_step.h"

namespace stamps {

// Positions and sizes in twips, 15 to the pixel, relative to the window's client area, or to
// the "User Copy" frame for the buttons inside it.
struct Twips {
    int left = 0, top = 0, width = 0, height = 0;
};
constexpr int kTwipsPerPixel = 15;
// Tab index of a control whose place in the focus order is not fixed: it follows all others.
constexpr int kNoTabIndex = -1;

struct FontSpec {
    std::string_view family; // "MS Sans Serif" or "MS Serif"
    double points = 8.25;
    bool bold = false;
};

enum class Group {
    CopyLegs,
    Arms,
    Sleeves,
    ClothingRegions,
    OutfitMasks,
    BodyCopy,
    Accessories,
    ResizeTo,
    UserCopy,
    Ungrouped, // About and the two Delete buttons
};

enum class Action {
    Paint,        // runs the row's paint steps
    Nothing,      // no handler: "+" (Command18) and "All Top" (Command69)
    DeleteSource, // deletes the file selected in FilMain
    DeleteTarget, // deletes the file selected in FilTwo
    About,        // shows the About box
};

struct ButtonSpec {
    std::string_view name;    // control name: "Command56", "cmddjfld"
    std::string_view caption; // exactly as shown
    Group group;
    Twips place;
    std::optional<FontSpec> font; // none: the window's default font
    std::string_view tooltip;     // empty: none
    int tabIndex;
    Action action;
    std::span<const PaintStep> steps; // Action::Paint only
};

// A group's heading label, or the frame that holds it.
struct GroupSpec {
    Group group;
    std::string_view name;    // "Label4", "Frame1"
    std::string_view caption; // "Copy Legs"
    bool isFrame;
    Twips place;
    std::optional<FontSpec> font;
    std::string_view tooltip;
    int tabIndex; // -1 where none is given
};

// A stamp changes only the canvases: pressing it runs its paint steps (none for the two buttons
// without a handler). The other actions are the window's own, and it handles them itself.
constexpr bool isStamp(const ButtonSpec& button) {
    return button.action == Action::Paint || button.action == Action::Nothing;
}

std::span<const ButtonSpec> allButtons();
std::span<const GroupSpec> allGroups();
std::string_view groupName(Group group); // "Copy Legs", "User Copy", "" for Ungrouped
const ButtonSpec* findButton(std::string_view name);

} // namespace stamps
