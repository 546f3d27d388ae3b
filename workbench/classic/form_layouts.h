#pragma once
// The stored layouts of the program's three windows as data: each window's name, title and
// client area, one control row per control (place, font, tooltip, tab index, text at start),
// and the lines drawn on its surface. The main window's buttons, group headings and "User
// Copy" frame are rows of stamps' button table instead. Places are in twips, 15 to the pixel,
// relative to the window's client area; pixelRect turns them into pixels for every window.

#include <QPoint>
#include <QRect>
#include <span>
#include <string_view>

#include "core/palette.h"
#include "stamps/control_row.h"

namespace workbench {

using stamps::ControlRow;
using stamps::kNoTabIndex;

// A straight line on a window's surface: ends in twips, both included; width in pixels, the
// line growing downwards from its ends.
struct LineSpec {
    std::string_view name; // "Line1"
    int index;             // its index in the control array
    int x1, y1, x2, y2;
    core::Rgb colour;
    int width;
};

struct FormSpec {
    std::string_view name;  // "frmMain"
    std::string_view title; // at start; empty: written when the window loads
    // Width and height: the client area. Left and top: where the client area is put on the
    // screen, for a window that has a stored place (the others are centred).
    stamps::Twips client;
    std::span<const ControlRow> controls;
    std::span<const LineSpec> lines; // in drawing order

    // The row of the named control; a name that the table lacks is a programming error.
    const ControlRow& control(std::string_view controlName) const;
};

// `frmMain`: its controls other than the buttons, their headings and the frame. The panes'
// lists and label are here too, since they sit on the main window.
const FormSpec& mainWindowLayout();
const FormSpec& saveDialogLayout(); // `frmSave`
const FormSpec& aboutBoxLayout();   // `frmAbout`

// Twips, never negative, to the nearest whole pixel. Every stored place is a whole number of
// pixels; only the About box's line ends fall between two.
constexpr int pixels(int twips) {
    return (twips + stamps::kTwipsPerPixel / 2) / stamps::kTwipsPerPixel;
}
QRect pixelRect(const stamps::Twips& place);
QPoint pixelPoint(int x, int y);

} // namespace workbench
