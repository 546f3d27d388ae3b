#pragma once
// The buttons of the main window as data: one row per button holds its caption, place, font,
// tooltip, tab index and what a click does (for stamps, the ordered paint steps). The window
// builds its buttons from these rows; the runner and quiltane-cli run them.

#include <optional>
#include <span>
#include <string_view>

#include "stamps/control_row.h"
#include "stamps/paint_step.h"

namespace stamps {

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

// A button: its control row (name such as "Command56" or "cmddjfld", caption exactly as shown,
// place, font, tooltip, tab index) and what a click does. The constructor takes the fields in
// the order the table's rows give them, one flat row per button.
struct ButtonSpec : ControlRow {
    Group group;
    Action action;
    std::span<const PaintStep> steps; // Action::Paint only

    constexpr ButtonSpec(std::string_view name, std::string_view caption, Group group, Twips place,
                         std::optional<FontSpec> font, std::string_view tooltip, int tabIndex, Action action,
                         std::span<const PaintStep> steps)
        : ControlRow{name, caption, place, font, tooltip, tabIndex}, group(group), action(action),
          steps(steps) {}
};

// A group's heading label ("Label4", "Copy Legs"), or the frame that holds it ("Frame1").
struct GroupSpec : ControlRow {
    Group group;
    bool isFrame;

    constexpr GroupSpec(Group group, std::string_view name, std::string_view caption, bool isFrame,
                        Twips place, std::optional<FontSpec> font, std::string_view tooltip, int tabIndex)
        : ControlRow{name, caption, place, font, tooltip, tabIndex}, group(group), isFrame(isFrame) {}
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
