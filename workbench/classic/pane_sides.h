#pragma once
// The window's two sides, source and destination, as one table: each side's file pane, the
// canvas its files open into, the "Delete" button of its pane, and the words that name it in
// the menus and in the settings. Every mapping between a pane, a canvas and their names goes
// through this table.

#include <span>
#include <string_view>

#include "stamps/button_table.h"
#include "stamps/paint_step.h"

namespace workbench {

enum class Pane { Source, Destination };

struct PaneSide {
    Pane pane;
    stamps::CanvasId canvas;
    stamps::Action deletes;     // the "Delete" button that deletes the pane's selected file
    std::string_view word;      // "source": Open Recent's entries and the settings' tag
    std::string_view openTitle; // the file dialog of the File menu's "Open" command
};

std::span<const PaneSide> paneSides();
const PaneSide& sideOf(Pane pane);
const PaneSide& sideOf(stamps::CanvasId canvas);
// The side that word names; none for any other word.
const PaneSide* sideNamed(std::string_view word);

} // namespace workbench
