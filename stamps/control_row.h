#pragma once
// A control as the stored layouts give it: its object name, caption, place, font, tooltip, place
// in the focus order and text colour. Every row of a window's layout is one, and so are the
// button table's buttons and group headings, which add what a click does; the window builds
// any control from this one shape.

#include <optional>
#include <string_view>

#include "core/palette.h"

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

struct ControlRow {
    std::string_view name; // object name: "picSource", "Command56", "Label4"
    // Caption, or a text box's text at start. Empty: none, or written when the window loads or
    // the row marker moves.
    std::string_view caption;
    Twips place;
    std::optional<FontSpec> font;                       // none: the window's default font
    std::string_view tooltip;                           // empty: none
    int tabIndex;                                       // kNoTabIndex where none is given
    std::optional<core::Rgb> textColour = std::nullopt; // none: the platform's
};

} // namespace stamps
